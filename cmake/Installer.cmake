# The installer of the two executables, OVX_CPL-<version>.msi in the build tree. With
# the tests, a rebuild of the same version and one of a later version too, which must
# replace it.
find_program(OVX_WIXL wixl)
if(NOT WIN32 OR NOT OVX_WIXL)
    return()
endif()

# WORK: the package's own folder of the build tree for wixl's inputs.
function(ovx_add_msi output version work)
    add_custom_command(
        OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -DWXS=${PROJECT_SOURCE_DIR}/cmake/OvxCpl.wxs -DVERSION=${version}
                -DPANEL=$<TARGET_FILE:OVX_CPL> -DCTL=$<TARGET_FILE:ovxctl> -DOUT=${output}
                -DWORK=${CMAKE_BINARY_DIR}/${work} -P ${PROJECT_SOURCE_DIR}/cmake/BuildMsi.cmake
        DEPENDS OVX_CPL ovxctl ${PROJECT_SOURCE_DIR}/cmake/OvxCpl.wxs ${PROJECT_SOURCE_DIR}/cmake/BuildMsi.cmake
        COMMENT "Building the installer ${output}")
endfunction()

set(OVX_MSI ${CMAKE_BINARY_DIR}/OVX_CPL-${PROJECT_VERSION}.msi)
ovx_add_msi(${OVX_MSI} ${PROJECT_VERSION}.0 msi-${PROJECT_VERSION}.0)
set(msis ${OVX_MSI})
if(BUILD_TESTING)
    # A rebuild of the same version (a product code of its own) and a later version.
    set(OVX_MSI_REBUILD ${CMAKE_BINARY_DIR}/msi-rebuild/OVX_CPL-${PROJECT_VERSION}.msi)
    ovx_add_msi(${OVX_MSI_REBUILD} ${PROJECT_VERSION}.0 msi-rebuild/work)
    set(OVX_MSI_LATER ${CMAKE_BINARY_DIR}/msi-later/OVX_CPL-1.02.msi)
    ovx_add_msi(${OVX_MSI_LATER} 1.02.0 msi-1.02.0)
    list(APPEND msis ${OVX_MSI_REBUILD} ${OVX_MSI_LATER})
endif()
add_custom_target(ovx_msi ALL DEPENDS ${msis})
