# Two strings or two dialogs of one number in the resource headers: the resource
# compiler keeps one of them without a word, and the other's text or template is lost.
# The headers listed together are those whose resources end up in one executable.
#   -DHEADERS=a.h;b.h;...
foreach(kind IN ITEMS IDS IDD)
    set(seen "")
    foreach(header IN LISTS HEADERS)
        file(STRINGS "${header}" lines REGEX "^#define ${kind}_[A-Z0-9_]+ +[0-9]+")
        foreach(line IN LISTS lines)
            string(REGEX MATCH "^#define (${kind}_[A-Z0-9_]+) +([0-9]+)" ignored "${line}")
            set(name "${CMAKE_MATCH_1}")
            set(number "${CMAKE_MATCH_2}")
            if(DEFINED owner_${kind}_${number})
                message(SEND_ERROR "${name} and ${owner_${kind}_${number}} are both ${number}")
            endif()
            set(owner_${kind}_${number} "${name}")
        endforeach()
    endforeach()
endforeach()
