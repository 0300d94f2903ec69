# Each way of doing a thing that the program does in one place only: a call outside
# its place fails the check with the file, the line and the rule's reason. Tests are
# not checked; they may reach past the layers to look at what the program did.
#   -DSOURCE_DIR=the repository
#
# A rule is three rows of the table: a regular expression, the folders or files where
# it may appear (separated by commas, relative to SOURCE_DIR), and why.
set(rules
    "(MultiByteToWideChar|WideCharToMultiByte)[ \t]*\\("
    "text/"
    "text crosses between ANSI, UTF-16 and UTF-8 in text/ only (text/CodePage.h, text/Utf16.h)"
)

# The program's folders; protocol/ is checked once it exists.
set(folders app base ctl driver pages protocol res sim simapp snapshot text ui)

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
