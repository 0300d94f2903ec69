# Runs ovxctl.exe --sim status --json as a process under Wine with a trace file and
# checks that it prints JSON that parses, with the fields of the status, and that the
# simulated driver saw the requests.
#   -DRUNNER=wine-run -DCTL=ovxctl.exe -DTRACE=trace file
file(REMOVE "${TRACE}")
set(ENV{OVX_SIM_TRACE} "${TRACE}")
execute_process(COMMAND "${RUNNER}" "${CTL}" --sim status --json
                OUTPUT_VARIABLE json RESULT_VARIABLE exitCode)
if(NOT exitCode EQUAL 0)
    message(FATAL_ERROR "ovxctl --sim status --json ended with ${exitCode}:\n${json}")
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
