# Runs ovxctl.exe as a process under Wine on the simulated driver, with a trace file:
# its status as JSON that parses, with the fields of the status and the requests the
# driver saw; a command line in Unicode that reaches the driver in its code page, and
# one that it cannot hold refused before anything is sent; a name of the driver's code
# page in the JSON as Unicode; a file named with characters the code page lacks saved,
# compared and planned, and a support report written to one; and a full disk under its
# output reported.
#   -DRUNNER=wine-run -DCTL=ovxctl.exe -DTRACE=trace file -DSCENARIO=CtlAnsiScenario.txt
#   -DWORK=a folder of the build tree
# The code page of these checks is 1252, Wine's for this locale.
set(ENV{LC_ALL} C.UTF-8)
set(ENV{OVX_SIM_TRACE} "${TRACE}")

file(REMOVE "${TRACE}")
execute_process(COMMAND "${RUNNER}" "${CTL}" --sim --json status
                OUTPUT_VARIABLE json RESULT_VARIABLE exitCode)
if(NOT exitCode EQUAL 0)
    message(FATAL_ERROR "ovxctl --sim --json status ended with ${exitCode}:\n${json}")
endif()
string(JSON devices ERROR_VARIABLE error LENGTH "${json}" devices)
if(error)
    message(FATAL_ERROR "not JSON: ${error}\n${json}")
endif()
string(JSON rate GET "${json}" sampleRate)
string(JSON minor GET "${json}" driver interfaceMinor)
string(JSON asio GET "${json}" buffers asio)
if(NOT devices EQUAL 3 OR NOT rate EQUAL 48000 OR NOT minor EQUAL 14 OR NOT asio EQUAL 5000)
    message(FATAL_ERROR "unexpected status: ${json}")
endif()
file(STRINGS "${TRACE}" requests)
list(GET requests 0 first)
if(NOT first MATCHES "^GetDriverVersion - 0x00000000$" OR NOT requests MATCHES "GetWdmBufferDepth - 0x00000000")
    message(FATAL_ERROR "unexpected trace: ${requests}")
endif()

# The device (id 0x00A1B200) is found by its name typed in Unicode, and renamed to
# "Über", DC 62 65 72 in the record.
file(REMOVE "${TRACE}")
execute_process(COMMAND "${RUNNER}" "${CTL}" --sim "${SCENARIO}" rename-device "Café €" "Über"
                OUTPUT_VARIABLE output ERROR_VARIABLE output RESULT_VARIABLE exitCode)
file(STRINGS "${TRACE}" requests)
if(NOT exitCode EQUAL 0 OR NOT requests MATCHES "SetDeviceProperties 00b2a10000000000dc62657200")
    message(FATAL_ERROR "rename-device \"Café €\" \"Über\" ended with ${exitCode}: ${output}\n${requests}")
endif()

execute_process(COMMAND "${RUNNER}" "${CTL}" --sim "${SCENARIO}" --json devices
                OUTPUT_VARIABLE json RESULT_VARIABLE exitCode)
string(JSON name ERROR_VARIABLE error GET "${json}" devices 0 name)
if(NOT exitCode EQUAL 0 OR NOT name STREQUAL "Café €")
    message(FATAL_ERROR "devices ended with ${exitCode}, the name read \"${name}\" ${error}:\n${json}")
endif()

# A full-width quotation mark has no place in code page 1252: best fit would send '"'.
file(REMOVE "${TRACE}")
execute_process(COMMAND "${RUNNER}" "${CTL}" --sim rename-device 1 "Say ＂hi＂"
                ERROR_VARIABLE error RESULT_VARIABLE exitCode)
set(requests "")
if(EXISTS "${TRACE}")
    file(STRINGS "${TRACE}" requests)
endif()
if(NOT exitCode EQUAL 2 OR NOT error MATCHES "U\\+FF02 has no place in code page 1252" OR requests)
    message(FATAL_ERROR "a name with U+FF02 ended with ${exitCode}: ${error}\n${requests}")
endif()

# A file named in Cyrillic and CJK, in a folder named so too, reaches the file system as
# typed, with nothing left beside it, and reads back as the studio it was saved from.
set(folder "${WORK}/ovxctl снимки 录音")
set(name "студия 录音.json")
file(REMOVE_RECURSE "${folder}")
file(MAKE_DIRECTORY "${folder}")
execute_process(COMMAND "${RUNNER}" "${CTL}" --sim save "${name}" WORKING_DIRECTORY "${folder}"
                OUTPUT_VARIABLE output ERROR_VARIABLE output RESULT_VARIABLE exitCode)
file(GLOB saved RELATIVE "${folder}" "${folder}/*")
if(NOT exitCode EQUAL 0 OR NOT saved STREQUAL name)
    message(FATAL_ERROR "save \"${name}\" ended with ${exitCode}: ${output}\nthe folder holds: ${saved}")
endif()
execute_process(COMMAND "${RUNNER}" "${CTL}" --sim diff "${folder}/${name}"
                OUTPUT_VARIABLE output ERROR_VARIABLE output RESULT_VARIABLE exitCode)
if(NOT exitCode EQUAL 0 OR output)
    message(FATAL_ERROR "diff \"${folder}/${name}\" ended with ${exitCode}: ${output}")
endif()
execute_process(COMMAND "${RUNNER}" "${CTL}" --sim restore "${name}" --dry-run WORKING_DIRECTORY "${folder}"
                OUTPUT_VARIABLE output ERROR_VARIABLE output RESULT_VARIABLE exitCode)
if(NOT exitCode EQUAL 0 OR NOT output MATCHES "^plan: 0 changes, 0 skipped")
    message(FATAL_ERROR "restore \"${name}\" --dry-run ended with ${exitCode}: ${output}")
endif()
# The support report goes to a file named so too, as text with Windows' line ends.
set(report "отчёт 录音.txt")
execute_process(COMMAND "${RUNNER}" "${CTL}" --sim report "${report}" WORKING_DIRECTORY "${folder}"
                OUTPUT_VARIABLE output ERROR_VARIABLE output RESULT_VARIABLE exitCode)
file(READ "${folder}/${report}" text LIMIT 36)
file(READ "${folder}/${report}" lineEnd OFFSET 34 LIMIT 2 HEX)
if(NOT exitCode EQUAL 0 OR NOT text MATCHES "^Tormalin Zemra 1394 support report" OR NOT lineEnd STREQUAL "0d0a")
    message(FATAL_ERROR "report \"${report}\" ended with ${exitCode}: ${output}\nthe file begins: ${text} ${lineEnd}")
endif()
file(REMOVE_RECURSE "${folder}")

# The output straight to a full disk (wine-run would put a pipe between); a start that
# Wine fails outright (code 1, nothing said) is tried again.
find_program(WINE wine REQUIRED)
foreach(attempt 1 2 3)
    execute_process(COMMAND "${WINE}" "${CTL}" --sim devices OUTPUT_FILE /dev/full
                    ERROR_VARIABLE error RESULT_VARIABLE exitCode)
    if(NOT exitCode EQUAL 1 OR error)
        break()
    endif()
endforeach()
if(NOT exitCode EQUAL 3 OR NOT error MATCHES "the output could not be written")
    message(FATAL_ERROR "devices to a full disk ended with ${exitCode}: ${error}")
endif()
