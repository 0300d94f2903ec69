/* Resource ids of the simulated bus window, in OVX_CPL_Sim.exe only. The block starts
   at 20000, clear of the panel's own ids in res/resource.h. */
#pragma once

#define IDD_SIM_BUS                   20000

#define IDC_SIM_DEVICES               20010
#define IDC_SIM_UNPLUG                20011
#define IDC_SIM_PLUG                  20012
#define IDC_SIM_PLUG_WHICH            20013
#define IDC_SIM_PLUG_STATE            20014
#define IDC_SIM_PLUG_CODE             20015
#define IDC_SIM_SET_PLUG              20016
#define IDC_SIM_NEW_NAME              20017
#define IDC_SIM_NEW_SERIAL            20018
#define IDC_SIM_NEW_IN                20019
#define IDC_SIM_NEW_OUT               20020
#define IDC_SIM_ADD_DEVICE            20021

#define IDC_SIM_SUMMARY               20030
#define IDC_SIM_UNLOAD                20031
#define IDC_SIM_LOAD                  20032
#define IDC_SIM_VERSION               20033
#define IDC_SIM_SET_VERSION           20034
#define IDC_SIM_RATE                  20035
#define IDC_SIM_SET_RATE              20036
#define IDC_SIM_RATES                 20037
#define IDC_SIM_SET_RATES             20038
#define IDC_SIM_MASTER                20039
#define IDC_SIM_SET_MASTER            20040
#define IDC_SIM_STREAMING             20041
#define IDC_SIM_WDM_IN_USE            20042
#define IDC_SIM_DROPOUT               20043
#define IDC_SIM_BUFFER_WHICH          20044
#define IDC_SIM_BUFFER                20045
#define IDC_SIM_SET_BUFFER            20046

#define IDC_SIM_EVENT_KIND            20050
#define IDC_SIM_EVENT_COUNT           20051
#define IDC_SIM_QUEUE_EVENT           20052
#define IDC_SIM_FAULT_REQUEST         20053
#define IDC_SIM_FAULT_KIND            20054
#define IDC_SIM_FAULT_VALUE           20055
#define IDC_SIM_FAULT_ALWAYS          20056
#define IDC_SIM_ADD_FAULT             20057
#define IDC_SIM_FAULTS                20058
#define IDC_SIM_REMOVE_FAULT          20059

#define IDC_SIM_TRACE                 20070
#define IDC_SIM_CLEAR_TRACE           20071
#define IDC_SIM_SAVE_TRACE            20072
#define IDC_SIM_STATEMENT             20073
#define IDC_SIM_SEND                  20074
#define IDC_SIM_ANSWER                20075
