# Checks that DLLs load on every 32-bit Windows from Windows 95 on: they
# import only from the system DLLs that every such Windows has, only
# functions that Windows 95 exports, and they are marked for Windows 4.0.
# Windows 95 refuses to load a DLL that imports one function its system
# DLLs lack, and a DLL marked for a later subsystem version.
#
#   cmake -DOBJDUMP=... -DKERNEL32_TABLE=win95-kernel32.txt "-DMODULES=a.dll;b.dll"
#         -P CheckImports.cmake
#
# KERNEL32 is checked against the export table of Windows 95's KERNEL32.DLL.
# For the other system DLLs the lists below name the functions the design
# needs, each exported by Windows 95 (COMCTL32 version 4.00): a new import
# is added here on purpose. tarnel.dll may also import BuildModulePath from
# tandrel.dll. Prints one line per fault ("FAULT file: ...") and fails when
# there is any.

cmake_minimum_required(VERSION 3.20)

set(allowed_user32
    ChangeDisplaySettingsA CreateWindowExA DestroyWindow EnableWindow EnumDisplaySettingsA
    ExitWindowsEx GetDlgItem GetKeyState GetParent GetSystemMetrics GetWindowLongA GetWindowRect
    LoadStringA MessageBoxA SendMessageA SetRect SetWindowLongA WinHelpA)
set(allowed_advapi32
    RegCloseKey RegDeleteKeyA RegDeleteValueA RegEnumValueA RegOpenKeyExA RegQueryValueExA
    RegSetValueExA)
# The page draws nothing itself: fonts and icons pass through as handles.
set(allowed_gdi32 "")
set(allowed_comctl32 CreatePropertySheetPageA DestroyPropertySheetPage)
set(allowed_tandrel BuildModulePath)

foreach(required OBJDUMP KERNEL32_TABLE MODULES)
    if(NOT DEFINED ${required})
        message(FATAL_ERROR "${required} is not set")
    endif()
endforeach()

file(STRINGS ${KERNEL32_TABLE} allowed_kernel32 REGEX "^[^#]")
list(LENGTH allowed_kernel32 table_size)
# The table is the whole of Windows 95's export list, and only that: a
# shorter or longer one would let faults through or invent them.
if(NOT table_size EQUAL 748)
    message(FATAL_ERROR "${KERNEL32_TABLE}: ${table_size} names instead of 748")
endif()

set(faults 0)
function(fault file text)
    message("FAULT ${file}: ${text}")
    math(EXPR count "${faults} + 1")
    set(faults ${count} PARENT_SCOPE)
endfunction()

foreach(module ${MODULES})
    get_filename_component(file ${module} NAME)
    if(NOT EXISTS ${module})
        fault(${file} "missing (${module})")
        continue()
    endif()
    execute_process(COMMAND ${OBJDUMP} -p ${module}
        OUTPUT_VARIABLE dump RESULT_VARIABLE result ERROR_VARIABLE error)
    if(NOT result EQUAL 0)
        fault(${file} "objdump failed: ${error}")
        continue()
    endif()

    # Windows 4.0 (95 and NT 4) as the version asked for.
    string(REGEX MATCH "MajorSubsystemVersion[ \t]+([0-9]+)" _ "${dump}")
    set(major ${CMAKE_MATCH_1})
    string(REGEX MATCH "MinorSubsystemVersion[ \t]+([0-9]+)" _ "${dump}")
    set(minor ${CMAKE_MATCH_1})
    if(NOT "${major}.${minor}" STREQUAL "4.0")
        fault(${file} "marked for subsystem version ${major}.${minor} instead of 4.0")
    endif()

    # The import tables: "DLL Name: X", then one line per function
    # ("<vma> <hint> <name>"), up to the next table.
    string(REPLACE ";" "\\;" dump "${dump}")
    string(REPLACE "\n" ";" lines "${dump}")
    set(library "")
    set(in_imports FALSE)
    set(libraries "")
    foreach(line IN LISTS lines)
        if(line MATCHES "^The Import Tables")
            set(in_imports TRUE)
        elseif(line MATCHES "^The |^There is ")
            set(in_imports FALSE)
            set(library "")
        elseif(in_imports AND line MATCHES "^\tDLL Name: (.+)$")
            set(library ${CMAKE_MATCH_1})
            string(TOLOWER ${library} key)
            string(REGEX REPLACE "\\.dll$" "" key ${key})
            list(APPEND libraries ${key})
            set(count_${key} 0)
            if(NOT DEFINED allowed_${key} OR (key STREQUAL "tandrel" AND NOT file STREQUAL "tarnel.dll"))
                fault(${file} "imports from ${library}")
                set(library "")
            endif()
        elseif(library AND line MATCHES "^\t[0-9a-f]+\t +[0-9]+ +(.*)$")
            set(function ${CMAKE_MATCH_1})
            math(EXPR count_${key} "${count_${key}} + 1")
            if(NOT function IN_LIST allowed_${key})
                fault(${file} "imports ${library}!${function}")
            endif()
        elseif(library AND line MATCHES "^\t[0-9a-f]+\t")
            fault(${file} "imports from ${library} what it cannot read: ${line}")
        endif()
    endforeach()
    if(NOT libraries)
        fault(${file} "no import table read")
    endif()
    # A library whose functions were not read would pass unseen.
    foreach(key ${libraries})
        if(DEFINED allowed_${key} AND count_${key} EQUAL 0)
            fault(${file} "no function read from ${key}")
        endif()
    endforeach()
    message("${file}: imports from ${libraries}")
endforeach()

if(faults GREATER 0)
    message(FATAL_ERROR "${faults} faults")
endif()
