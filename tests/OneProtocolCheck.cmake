# Each way of doing a thing that the program does in one place only: a call outside
# its place fails the check with the file, the line and the rule's reason. Tests are
# not checked; they may reach past the layers to look at what the program did.
#   -DSOURCE_DIR=the repository
#
# A rule is three rows of the table (none of them may hold a semicolon, the list's separator): a regular expression, the folders or files where
# it may appear (separated by commas, relative to SOURCE_DIR), and why.
set(rules
    "(MultiByteToWideChar|WideCharToMultiByte)[ \t]*\\("
    "text/"
    "text crosses between ANSI, UTF-16 and UTF-8 in text/ only (text/CodePage.h, text/Utf16.h)"

    "\"(GetDriverVersion|GetAsioNameOption|SetAsioNameOption|RegisterNotificationEvent|GetNextEvent|GetDeviceList|GetChannelLists|GetClockSource|SetClockSource|GetRateMode|SetRateMode|GetSampleRates|SetSampleRate|GetDeviceSyncMode|SetDeviceSyncMode|GetDeviceProperties|SetDeviceProperties|GetStreamInfo|GetChannelProperties|SetChannelProperties|StartStreaming|StopStreaming|GetStreamBufferDepth|SetStreamBufferDepth|GetAsioBufferDepth|SetAsioBufferDepth|GetWdmBufferDepth|SetWdmBufferDepth|GetAsioStatistics)\""
    "driver/ControlCodes.cpp"
    "a request is named by the request catalogue (OvxIoctl::FindRequest, RequestFailure::RequestName), never typed again"

    "[.>](StopStreaming|StartStreaming|SetClockSource|SetRateMode|SetDeviceSyncMode|SetStreamBufferDepth|SetAsioBufferDepth|SetWdmBufferDepth|SetSampleRate|SetAsioNameOption|SetDeviceProperties|SetChannelProperties)[ \t]*\\("
    "driver/,protocol/,sim/"
    "a write reaches the driver through its named operation in protocol/, which holds its frame and its rules"

    "\"pc\""
    "snapshot/SnapshotJson."
    "the clock master is a typed value, and the word for the PC driver lives in the snapshot file's reader and writer only"
)

# The program's folders; protocol/ is checked once it exists.
set(folders app base ctl driver pages protocol report res sim simapp snapshot text ui)

set(files "")
foreach(folder IN LISTS folders)
    file(GLOB_RECURSE found RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp"
         "${SOURCE_DIR}/${folder}/*.c" "${SOURCE_DIR}/${folder}/*.rc")
    list(APPEND files ${found})
endforeach()

list(LENGTH rules cells)
math(EXPR last "${cells} - 1")
foreach(row RANGE 0 ${last} 3)
    math(EXPR placeColumn "${row} + 1")
    math(EXPR reasonColumn "${row} + 2")
    list(GET rules ${row} pattern)
    list(GET rules ${placeColumn} places)
    list(GET rules ${reasonColumn} reason)
    string(REPLACE "," ";" places "${places}")
    foreach(file IN LISTS files)
        set(allowed FALSE)
        foreach(place IN LISTS places)
            string(FIND "${file}" "${place}" at)
            if(at EQUAL 0)
                set(allowed TRUE)
            endif()
        endforeach()
        if(allowed)
            continue()
        endif()
        file(READ "${SOURCE_DIR}/${file}" text)
        # Each match, with its line: the lines before it counted in the text before it.
        set(line 1)
        while(text MATCHES "${pattern}")
            string(FIND "${text}" "${CMAKE_MATCH_0}" at)
            string(SUBSTRING "${text}" 0 ${at} before)
            string(REGEX REPLACE "[^\n]" "" newlines "${before}")
            string(LENGTH "${newlines}" skipped)
            math(EXPR line "${line} + ${skipped}")
            message(SEND_ERROR "${file}:${line}: ${reason}")
            string(LENGTH "${CMAKE_MATCH_0}" length)
            math(EXPR after "${at} + ${length}")
            string(SUBSTRING "${text}" ${after} -1 text)
        endwhile()
    endforeach()
endforeach()
