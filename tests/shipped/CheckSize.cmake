# Checks that a file is no larger than a limit in bytes.
#
#   cmake -DFILE=tarnel.dll -DLIMIT=65536 -P CheckSize.cmake

cmake_minimum_required(VERSION 3.20)

foreach(required FILE LIMIT)
    if(NOT DEFINED ${required})
        message(FATAL_ERROR "${required} is not set")
    endif()
endforeach()
if(NOT EXISTS ${FILE})
    message(FATAL_ERROR "FAULT ${FILE}: missing")
endif()
file(SIZE ${FILE} size)
get_filename_component(name ${FILE} NAME)
if(size GREATER LIMIT)
    message(FATAL_ERROR "FAULT ${name}: ${size} bytes, more than ${LIMIT}")
endif()
message("${name}: ${size} bytes of at most ${LIMIT}")
