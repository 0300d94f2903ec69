/* Resource ids of the control panel. Shared by OVX_CPL.rc and the code.
   Numbers that other programs or the framework's conventions fix are kept as they are;
   the comment of each block says where its numbers come from. */
#pragma once

/* Frame resources: menu, accelerators, icon and template string of the document type. */
#define IDR_MAINFRAME                 128
#define IDR_OVX_CPLTYPE               129
#define IDR_TRAY_MENU                 150

/* Icons of the page tree, in image list order 0 to 5. */
#define IDI_TREE_GENERAL              130
#define IDI_TREE_DEVICES              131
#define IDI_TREE_SETTINGS             132
#define IDI_TREE_CHANNELS             135
#define IDI_TREE_STREAMS              136
#define IDI_TREE_SYNCHRONISATION      146

/* The tray icon's variant with a warning mark. */
#define IDI_TRAY_WARNING              133

/* Dialog templates. */
#define IDD_ABOUTBOX                  100
#define IDD_OVX_CPL_FORM              101
#define IDD_PG_ASIO_SETTINGS          103
#define IDD_PG_DEVICES                104
#define IDD_PG_CHANNELS               105
#define IDD_SUBDLG_DEVICE_NAME        137
#define IDD_SUBDLG_CHANNEL_NAME       138
#define IDD_PG_STREAMS                143
#define IDD_PG_SYNCHRONISATION        145
#define IDD_SUBDLG_DEVICE_SYNCH       147
#define IDD_RESTORE_PLAN              160
#define IDD_EVENT_HISTORY             170
#define IDD_SUPPORT_REPORT            171

/* Controls, numbered from 1000 as the templates were laid out. */
#ifndef IDC_STATIC
#define IDC_STATIC                    (-1)
#endif
#define IDC_PAGE_TREE                 1000
#define IDC_DEVICE_LIST               1001
#define IDC_DEVICE_NAME_LABEL         1004
#define IDC_DEVICE_NAME_EDIT          1005
#define IDC_CHANNEL_LIST              1007
#define IDC_CHANNEL_NAME_LABEL        1020
#define IDC_CHANNEL_NAME_EDIT         1021
#define IDC_INCLUDE_DEVICE_NAME       1027
#define IDC_ASIO_APPLY                1035
#define IDC_DROPOUT_COUNT             1038
#define IDC_STREAM_LIST               1039
#define IDC_STREAM_DETAILS            1040
#define IDC_SAMPLE_RATE_COMBO         1044
#define IDC_STREAM_DEPTH_SLIDER       1048
#define IDC_STREAM_DEPTH_LABEL        1050
#define IDC_STREAM_APPLY              1051
#define IDC_ASIO_DEPTH_SLIDER         1053
#define IDC_ASIO_DEPTH_LABEL          1054
#define IDC_WDM_APPLY                 1055
#define IDC_WDM_DEPTH_SLIDER          1056
#define IDC_WDM_DEPTH_LABEL           1057
#define IDC_STREAM_DEPTH_CAPTION      1058
#define IDC_ASIO_DEPTH_CAPTION        1059
#define IDC_WDM_DEPTH_CAPTION         1060
#define IDC_DROPOUT_SINCE             1061
#define IDC_ABOUT_INFO                1062
#define IDC_SYNC_LIST                 1063
#define IDC_SYNC_APPLY                1070
#define IDC_CHANGE_SYNC_MODE          1071
#define IDC_RATE_APPLY                1073
#define IDC_EDIT_DEVICE_NAME          1079
#define IDC_EDIT_CHANNEL_NAME         1080
#define IDC_HARDWARE_NAME             1081
#define IDC_HARDWARE_NAME_LABEL       1082
#define IDC_DEVICE_DOWN               1084
#define IDC_DEVICE_UP                 1085
#define IDC_APPLY_RANKING             1086
#define IDC_RANKING_NOTE              1087
#define IDC_RATE_MANUAL               1088
#define IDC_RATE_AUTOMATIC            1089
#define IDC_PLAN_LABEL                1100
#define IDC_PLAN_LIST                 1101
#define IDC_PLAN_SUMMARY              1102
#define IDC_HISTORY_LIST              1110
#define IDC_HISTORY_DROPPED           1111
#define IDC_HISTORY_COPY              1112
#define IDC_HISTORY_SAVE              1113
#define IDC_HISTORY_CLEAR             1114

/* The support report's preview, 1120-1129. */
#define IDC_REPORT_LABEL              1120
#define IDC_REPORT_TEXT               1121
#define IDC_REPORT_WITH_NAMES         1122

/* Page titles (tree texts and status bar titles). */
#define IDS_PAGE_SETTINGS             2001
#define IDS_PAGE_DEVICES              2002
#define IDS_PAGE_INPUT_CHANNELS       2003
#define IDS_PAGE_OUTPUT_CHANNELS      2004
#define IDS_PAGE_SYNCHRONISATION      2005
#define IDS_PAGE_STREAMS              2006
#define IDS_COL_DEVICE_NAME           2010
#define IDS_COL_SERIAL_NUMBER         2011
#define IDS_RANKING_NOTE              2012
#define IDS_DEVICES_CONNECTED         2013
#define IDS_COL_CHANNEL_NAME          2014
#define IDS_COL_ASIO_DISPLAY_NAME     2015
#define IDS_SYNC_MODE_UNSPECIFIED     2020
#define IDS_SYNC_MODE_CSP             2021
#define IDS_SYNC_MODE_SYT             2022
#define IDS_SYNC_MODE_SYT_3           2023
#define IDS_SYNC_MODE_DIGITAL_INPUT   2024
#define IDS_SYNC_MODE_EXTERNAL_CLOCK  2025
#define IDS_SYNC_MODE_INTERNAL        2026
#define IDS_COL_CLOCK_MASTER          2030
#define IDS_COL_DEVICES               2031
#define IDS_COL_SYNC_SOURCE           2032
#define IDS_PC_DRIVER                 2033
#define IDS_CLOCK_INTERNAL            2034
#define IDS_CLOCK_EXTERNAL            2035
#define IDS_RATE_UNAVAILABLE          2036
#define IDS_CURRENT_SAMPLE_RATE       2037
#define IDS_RATE_UNKNOWN              2038
#define IDS_COL_MODE                  2039
#define IDS_ASIO_TOOLTIP              2040
#define IDS_UNIT_MICROSECONDS         2041
#define IDS_UNIT_MILLISECONDS         2042
#define IDS_UNIT_SAMPLES              2043
#define IDS_NAME_RULE_CONTROL         2045
#define IDS_DROPOUTS_WATCHED_SINCE    2046
#define IDS_DROPOUTS_NOT_WATCHED      2047

/* What the tray tells: the tip's state line and the balloons' lines. */
#define IDS_TRAY_STATE_LINE           2200
#define IDS_TRAY_DEVICE_COUNT         2201
#define IDS_TRAY_RATE_UNKNOWN         2202
#define IDS_TRAY_NO_DRIVER            2203
#define IDS_TRAY_NO_DEVICE            2204
#define IDS_TRAY_DRIVER_GONE          2205
#define IDS_TRAY_DRIVER_BACK          2206
#define IDS_TRAY_STREAMING_STOPPED    2207
#define IDS_TRAY_STREAMING_BACK       2208
#define IDS_TRAY_RATE_CHANGED         2209
#define IDS_TRAY_DEVICE_CONNECTED     2210
#define IDS_TRAY_DEVICE_GONE          2211
#define IDS_TRAY_DROP_OUTS            2212

/* Accessible names of controls that have no text of their own and no label before them. */
#define IDS_NAME_PAGE_TREE            2230
#define IDS_NAME_DEVICE_LIST          2231
#define IDS_NAME_INPUT_CHANNEL_LIST   2232
#define IDS_NAME_OUTPUT_CHANNEL_LIST  2233
#define IDS_NAME_STREAM_LIST          2234
#define IDS_NAME_SYNC_LIST            2235
#define IDS_NAME_SYNC_MODE_LIST       2237
#define IDS_NAME_PLAN_LIST            2238

/* Studio snapshots: the restore plan's texts and the messages of saving and restoring.
   (2100 to 2112 are the streams page's, in res/StreamTexts.h.) */
#define IDS_PLAN_COL_SETTING          2300
#define IDS_PLAN_COL_NOW              2301
#define IDS_PLAN_COL_THEN             2302
#define IDS_PLAN_SUMMARY              2303
#define IDS_PLAN_DEVICE_NAME          2304
#define IDS_PLAN_RANKING              2305
#define IDS_PLAN_INPUT_NAME           2306
#define IDS_PLAN_OUTPUT_NAME          2307
#define IDS_PLAN_ASIO_NAMES           2308
#define IDS_PLAN_CLOCK_MASTER         2309
#define IDS_PLAN_RATE_MODE            2310
#define IDS_PLAN_SYNC_MODE            2311
#define IDS_PLAN_STREAM_DEPTH         2312
#define IDS_PLAN_WDM_DEPTH            2313
#define IDS_PLAN_SAMPLE_RATE          2314
#define IDS_PLAN_ASIO_DEPTH           2315
#define IDS_PLAN_DEVICE               2316
#define IDS_PLAN_INCLUDED             2317
#define IDS_PLAN_NOT_INCLUDED         2318
#define IDS_PLAN_MANUAL               2319
#define IDS_PLAN_AUTOMATIC            2320
#define IDS_SKIP_DEVICE_MISSING       2321
#define IDS_SKIP_NOT_IN_FILE          2322
#define IDS_SKIP_CHANNEL_MISSING      2323
#define IDS_SKIP_MASTER_MISSING       2324
#define IDS_SKIP_MODE_NOT_OFFERED     2325
#define IDS_SKIP_RATE_NOT_OFFERED     2326
#define IDS_SKIP_DEPTH_OUT_OF_RANGE   2327
#define IDS_SNAP_FILTER               2330
#define IDS_SNAP_SAVE_FAILED          2331
#define IDS_SNAP_READ_FAILED          2332
#define IDS_SNAP_BAD_FILE             2333
#define IDS_SNAP_NOTHING_TO_RESTORE   2335
#define IDS_SNAP_CHANGED              2336
#define IDS_SNAP_INCOMPLETE           2337
#define IDS_SNAP_REFUSED_LINE         2338
#define IDS_SNAP_NOT_HELD_LINE        2339
#define IDS_SNAP_SKIPPED_LINE         2340
#define IDS_SNAP_MORE_LINES           2341
#define IDS_SNAP_RESTART_FAILED       2342
#define IDS_SNAP_READ_BACK_FAILED     2343
#define IDS_SKIP_NAME_CONTROL         2346
#define IDS_SKIP_NAME_TOO_LONG        2347
#define IDS_SKIP_NAME_CODE_PAGE       2348
#define IDS_SKIP_MASTER_UNNAMED       2349
#define IDS_SKIP_RATE_MODE_WITH_PC    2350
#define IDS_SKIP_RATE_SET_BY_MASTER   2351
#define IDS_SKIP_NO_SERIAL            2352
#define IDS_SKIP_SERIAL_SHARED        2353
#define IDS_SNAP_SAVED_INEXACT        2354
#define IDS_SNAP_RANKING_HELD         2355
#define IDS_SNAP_RESTORED_SUMMARY     2356
#define IDS_SNAP_RESTORED_STOPPED     2357

/* The support report: its file and the message of a save that failed, 2450-2469. The
   report's own words are fixed in report/, the same from the panel and ovxctl. */
#define IDS_REPORT_FILTER             2450
#define IDS_REPORT_FILE_NAME          2451
#define IDS_REPORT_SAVE_FAILED        2452

/* The event history window: its columns, its list's accessible name, what it says of
   dropped entries, and the texts of copying, saving and clearing. (2400 to 2414 are
   the entries' own texts, in res/HistoryTexts.h.) */
#define IDS_HISTORY_COL_TIME          2430
#define IDS_HISTORY_COL_EVENT         2431
#define IDS_HISTORY_COL_DEVICE        2432
#define IDS_NAME_HISTORY_LIST         2433
#define IDS_HISTORY_DROPPED           2434
#define IDS_HISTORY_DROPPED_ONE       2435
#define IDS_HISTORY_FILTER            2436
#define IDS_HISTORY_FILE_NAME         2437
#define IDS_HISTORY_FILE_HEADER       2438
#define IDS_HISTORY_SAVE_FAILED       2439
#define IDS_HISTORY_CLEAR_QUESTION    2440
#define IDS_HISTORY_CLIPBOARD_FAILED  2441

/* Commands of the panel (the tray menu, the File and Info menus). */
#define ID_TRAY_OPEN                  32771
#define ID_TRAY_QUIT                  32772
#define ID_HIDE_PANEL                 32773
#define ID_SAVE_SNAPSHOT              32774
#define ID_RESTORE_SNAPSHOT           32775
#define ID_EVENT_HISTORY              32776
#define ID_SAVE_SUPPORT_REPORT        32777

/* The framework's own numbers live with the framework; the panel's title string
   keeps the number other programs know it by. */
#include "ui/FrameworkIds.h"
#define IDS_PANEL_TITLE               61269

/* Version of the panel and ovxctl. */
#include "res/ProgramVersion.h"
