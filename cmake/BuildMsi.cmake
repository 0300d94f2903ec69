# Builds the installer with wixl (msitools), then adds what wixl has no element for:
# the condition that installs the StartAtLogon feature when STARTATLOGON=1, and that
# property among the secure ones, so a per-machine install passes it on.
#   -DWXS=OvxCpl.wxs -DVERSION=1.01.0 -DPANEL=OVX_CPL.exe -DCTL=ovxctl.exe -DOUT=x.msi -DWORK=dir
# wixl finds the files of the package only by paths relative to where it runs.
file(MAKE_DIRECTORY ${WORK})
get_filename_component(outDir ${OUT} DIRECTORY)
file(MAKE_DIRECTORY ${outDir})
file(COPY ${PANEL} ${CTL} DESTINATION ${WORK})
get_filename_component(panelName ${PANEL} NAME)
get_filename_component(ctlName ${CTL} NAME)
execute_process(COMMAND wixl -a x64 -D Version=${VERSION} -D PanelExe=${panelName} -D CtlExe=${ctlName}
                        -o ${OUT} ${WXS}
                WORKING_DIRECTORY ${WORK} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "wixl failed: ${result}")
endif()
file(WRITE ${WORK}/Condition.idt
     "Feature_\tLevel\tCondition\ns38\ti2\tS255\nCondition\tFeature_\tLevel\nStartAtLogon\t1\tSTARTATLOGON=\"1\"\n")
execute_process(COMMAND msiinfo export ${OUT} Property OUTPUT_VARIABLE properties RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT properties MATCHES "SecureCustomProperties\t")
    message(FATAL_ERROR "no property table in ${OUT}")
endif()
string(REGEX REPLACE "SecureCustomProperties\t([^\r\n]*)" "SecureCustomProperties\t\\1;STARTATLOGON"
       properties "${properties}")
file(WRITE ${WORK}/Property.idt "${properties}")
execute_process(COMMAND msibuild ${OUT} -i Condition.idt -i Property.idt
                WORKING_DIRECTORY ${WORK} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "msibuild failed: ${result}")
endif()
