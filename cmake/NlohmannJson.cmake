# nlohmann/json (Debian's nlohmann-json3-dev, header only) for every configuration.
# The MinGW cross compiler does not search /usr/include, and adding all of it would
# bring glibc's headers in front of MinGW's; so the target ovx_json points at a
# directory of the build tree that holds one entry, a link to the nlohmann headers.
find_path(OVX_NLOHMANN_JSON_DIR nlohmann/json.hpp PATHS /usr/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT OVX_NLOHMANN_JSON_DIR)
    message(FATAL_ERROR "nlohmann/json.hpp not found: install nlohmann-json3-dev (./ovx does)")
endif()
set(ovx_json_include ${CMAKE_BINARY_DIR}/json-include)
file(MAKE_DIRECTORY ${ovx_json_include})
file(CREATE_LINK ${OVX_NLOHMANN_JSON_DIR}/nlohmann ${ovx_json_include}/nlohmann SYMBOLIC)
add_library(ovx_json INTERFACE)
target_include_directories(ovx_json SYSTEM INTERFACE ${ovx_json_include})
