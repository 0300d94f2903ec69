# Builds the installer with wixl (msitools), then adds what wixl has no element for:
# - the condition that installs the StartAtLogon feature when STARTATLOGON=1, or when an
#   installed version has it (STARTATLOGONCHOSEN, found by the package's registry search)
#   and STARTATLOGON=0 does not say otherwise;
#   those properties among the secure ones, so a per-machine install passes them on;
# - the upgrade row's "maximum version included" bit (wixl ignores
#   AllowSameVersionUpgrades), so that a rebuild of the same version replaces the
#   installed one instead of installing beside it.
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

# A table of the package as msiinfo exports it, in the text form msibuild imports.
function(export_table table variable)
    execute_process(COMMAND msiinfo export ${OUT} ${table} OUTPUT_VARIABLE rows RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "no ${table} table in ${OUT}")
    endif()
    set(${variable} "${rows}" PARENT_SCOPE)
endfunction()

file(WRITE ${WORK}/Condition.idt
     "Feature_\tLevel\tCondition\ns38\ti2\tS255\nCondition\tFeature_\tLevel\n"
     "StartAtLogon\t1\tSTARTATLOGON=\"1\" OR (STARTATLOGONCHOSEN=\"1\" AND NOT STARTATLOGON=\"0\")\n")

export_table(Property properties)
if(NOT properties MATCHES "SecureCustomProperties\t")
    message(FATAL_ERROR "no secure properties in ${OUT}")
endif()
string(REGEX REPLACE "SecureCustomProperties\t([^\r\n]*)" "SecureCustomProperties\t\\1;STARTATLOGON;STARTATLOGONCHOSEN"
       properties "${properties}")
file(WRITE ${WORK}/Property.idt "${properties}")

# The upgrade row (attribute 1, migrate feature states) also takes the same version:
# 0x200, msidbUpgradeAttributesVersionMaxInclusive.
export_table(Upgrade upgrades)
string(REGEX REPLACE "\t1\t([^\t\r\n]*)\tWIX_UPGRADE_DETECTED" "\t513\t\\1\tWIX_UPGRADE_DETECTED" upgrades "${upgrades}")
if(NOT upgrades MATCHES "\t513\t")
    message(FATAL_ERROR "no upgrade row to extend in ${OUT}")
endif()
file(WRITE ${WORK}/Upgrade.idt "${upgrades}")

# One table per run: msibuild 0.101 crashes when given several at once.
foreach(table Condition Property Upgrade)
    execute_process(COMMAND msibuild ${OUT} -i ${table}.idt WORKING_DIRECTORY ${WORK} RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "msibuild failed on ${table}: ${result}")
    endif()
endforeach()
