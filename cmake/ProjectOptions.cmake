# Warnings and sanitizers for the project's own targets (not for GoogleTest).
add_library(ovx_options INTERFACE)
target_compile_options(ovx_options INTERFACE -Wall -Wextra -Wshadow -Wnon-virtual-dtor
                                             -Wold-style-cast -Wconversion -Wno-sign-conversion
                                             # {sizeof s} is how Win32 structures start
                                             -Wno-missing-field-initializers)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # g++ 12 warns of overlapping copies inside std::string's own inlined code at -O2
    # and above, a false report (GCC bug 105329) that would fail optimised builds.
    target_compile_options(ovx_options INTERFACE -Wno-restrict)
endif()
if(OVX_WERROR)
    target_compile_options(ovx_options INTERFACE -Werror)
endif()
target_include_directories(ovx_options INTERFACE ${PROJECT_SOURCE_DIR})

if(OVX_SANITIZE)
    list(JOIN OVX_SANITIZE "," sanitizers)
    add_compile_options(-fsanitize=${sanitizers} -fno-omit-frame-pointer -fno-sanitize-recover=all)
    add_link_options(-fsanitize=${sanitizers})
endif()

if(WIN32)
    # One self-contained executable: the C and C++ runtimes and winpthreads are linked
    # in, so only system DLLs are needed at run time.
    add_link_options(-static -static-libgcc -static-libstdc++)
    target_compile_definitions(ovx_options INTERFACE WIN32_LEAN_AND_MEAN NOMINMAX
                                                     _WIN32_WINNT=0x0A00 WINVER=0x0A00)
endif()
