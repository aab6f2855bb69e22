# Checks that no DLL holds the throwing operator new or new[]: the shipped
# DLLs are built without exceptions, where a failing plain new cannot be
# answered and ends the host process; their code allocates with the
# nothrow forms and checks for null. Reads each DLL's linker map
# (NAME.dll.map): the part after "Linker script and memory map" names
# what went into the image (unused sections are dropped by the link), with
# each symbol demangled or not.
#
#   cmake "-DMODULES=a.dll;b.exe" -P CheckOperatorNew.cmake
#
# Prints one line per fault ("FAULT file: ...") and fails when there is any.

cmake_minimum_required(VERSION 3.20)

if(NOT DEFINED MODULES)
    message(FATAL_ERROR "MODULES is not set")
endif()

# operator new(unsigned int) and operator new[](unsigned int), as the map
# writes them (the nothrow forms take a second parameter).
set(throwing_new "^ +0x[0-9a-f]+ +(operator new(\\[\\])?\\(unsigned int\\)|_+Zn[wa]j)$")

set(faults 0)
foreach(module ${MODULES})
    get_filename_component(file ${module} NAME)
    if(NOT EXISTS ${module}.map)
        message("FAULT ${file}: no linker map (${module}.map)")
        math(EXPR faults "${faults} + 1")
        continue()
    endif()
    file(STRINGS ${module}.map lines)
    list(FIND lines "Linker script and memory map" start)
    if(start LESS 0)
        message("FAULT ${file}: the map has no memory map")
        math(EXPR faults "${faults} + 1")
        continue()
    endif()
    list(SUBLIST lines ${start} -1 lines)
    list(FILTER lines INCLUDE REGEX "${throwing_new}")
    set(held "")
    foreach(line IN LISTS lines)
        string(REGEX MATCH "${throwing_new}" _ "${line}")
        list(APPEND held "${CMAKE_MATCH_1}")
    endforeach()
    list(SORT held)
    foreach(name IN LISTS held)
        message("FAULT ${file}: holds the throwing ${name}")
        math(EXPR faults "${faults} + 1")
    endforeach()
    if(NOT held)
        message("${file}: no throwing operator new")
    endif()
endforeach()

if(faults GREATER 0)
    message(FATAL_ERROR "${faults} faults")
endif()
