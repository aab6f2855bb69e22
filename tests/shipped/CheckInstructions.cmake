# Checks that code runs on an Intel 80386, the least processor Windows 95
# runs on: disassembles it and names every instruction or register that
# came with a later processor (the 486, the Pentium and its MMX, the
# Pentium Pro and after). One such instruction ends the shell with an
# invalid-opcode fault on the machines of the time.
#
#   cmake -DOBJDUMP=... "-DMODULES=a.dll;b.obj" -P CheckInstructions.cmake
#
# For a DLL with its linker map beside it (NAME.dll.map), the code is the
# part of .text before the constructor list: the list and the destructor
# list after it are addresses, which a disassembler would read as
# instructions. Without a map the whole of .text is read. Bytes that do not
# decode are a fault too, since the instructions after them may be misread.
# Prints one line per fault ("FAULT file: address: instruction"), then a
# count per file ("FAULT file: N instructions the 80386 lacks"), and fails
# when there is any.

cmake_minimum_required(VERSION 3.20)

foreach(required OBJDUMP MODULES)
    if(NOT DEFINED ${required})
        message(FATAL_ERROR "${required} is not set")
    endif()
endforeach()

# Mnemonics of later processors, as objdump writes them. The 486 brought
# bswap, cmpxchg, xadd, invd, wbinvd and invlpg; the Pentium cmpxchg8b,
# cpuid, rdtsc, rdmsr, wrmsr and rsm; the Pentium Pro cmov, fcmov, fcomi
# and fucomi, rdpmc and the hint nops (0F 18 to 0F 1F: the multi-byte nop,
# the prefetches, endbr32); the Pentium II sysenter and sysexit; later
# ones the fences, cache and state instructions and the rest below.
# ud2 (0F 0B) and pause (F3 90) are left out on purpose: ud2 is there to
# raise the invalid-opcode fault, which every processor does for it, and a
# processor without pause runs it as nop.
set(later_mnemonics
    "cmov[a-z]+" "fcmov[a-z]+" fcomi fcomip fucomi fucomip bswap cmpxchg cmpxchg8b cmpxchg16b
    "xadd[bwl]?" invd wbinvd "invlpg[a-z]*" cpuid rdtsc rdtscp rdpmc rdmsr wrmsr rsm sysenter
    sysexit syscall "sysret[a-z]*" nopw nopl endbr32 endbr64 lfence mfence sfence
    "prefetch[a-z0-9]*" clflush clflushopt clwb clzero "movnti[a-z]*" ldmxcsr stmxcsr
    "fxsave[a-z0-9]*" "fxrstor[a-z0-9]*" "xsave[a-z0-9]*" "xrstor[a-z0-9]*" xgetbv xsetbv
    "fisttp[a-z]*" emms femms "monitor[a-z]*" "mwait[a-z]*" "popcnt[a-z]*" "lzcnt[a-z]*"
    "tzcnt[a-z]*" "movbe[a-z]*" "crc32[a-z]*" "rdrand[a-z]*" "rdseed[a-z]*" andn bextr blsi
    blsmsk blsr bzhi pdep pext mulx sarx shlx shrx rorx adcx adox)
list(JOIN later_mnemonics "|" mnemonics)
# One pattern for a line "address:<tab>instruction": after the prefixes
# (lock, rep, segments, data16), a later mnemonic; a nop with an operand
# (the multi-byte nop written "nop (%eax)"); a register of MMX, SSE, AVX or
# AVX-512 in any operand; or bytes that do not decode.
set(later "\t([a-z0-9]+ +)*(${mnemonics})( |$)|\t([a-z0-9]+ +)*nop +[^ ]")
string(APPEND later "|%(mm[0-7]|[xyz]mm[0-9]+|k[0-7])([^0-9]|$)|\\(bad\\)")

set(faults 0)
foreach(module ${MODULES})
    get_filename_component(file ${module} NAME)
    if(NOT EXISTS ${module})
        message("FAULT ${file}: missing (${module})")
        math(EXPR faults "${faults} + 1")
        continue()
    endif()

    set(range "")
    if(EXISTS ${module}.map)
        file(STRINGS ${module}.map list_start REGEX "^ +0x[0-9a-f]+ +___CTOR_LIST__ = \\.")
        if(list_start MATCHES "^ +(0x[0-9a-f]+)")
            set(range --stop-address=${CMAKE_MATCH_1})
        endif()
    endif()
    execute_process(COMMAND ${OBJDUMP} -d --no-show-raw-insn ${range} ${module}
        OUTPUT_VARIABLE dump RESULT_VARIABLE result ERROR_VARIABLE error)
    if(NOT result EQUAL 0)
        message("FAULT ${file}: objdump failed: ${error}")
        math(EXPR faults "${faults} + 1")
        continue()
    endif()

    # One line per instruction: "address:<tab>mnemonic operands", with the
    # symbols that objdump names in <...> taken out.
    string(REPLACE ";" "," dump "${dump}")
    string(REGEX REPLACE "<[^>\n]*>" "" dump "${dump}")
    string(REPLACE "\n" ";" lines "${dump}")
    list(FILTER lines INCLUDE REGEX "^ *[0-9a-f]+:\t")
    list(LENGTH lines count)
    if(count EQUAL 0)
        message("FAULT ${file}: no instruction read")
        math(EXPR faults "${faults} + 1")
        continue()
    endif()

    set(hits ${lines})
    list(FILTER hits INCLUDE REGEX "${later}")
    list(LENGTH hits found)
    foreach(line IN LISTS hits)
        string(REGEX MATCH "^ *([0-9a-f]+):\t(.*)$" _ "${line}")
        string(STRIP "${CMAKE_MATCH_2}" instruction)
        message("FAULT ${file}: ${CMAKE_MATCH_1}: ${instruction}")
    endforeach()
    if(found GREATER 0)
        message("FAULT ${file}: ${found} instructions the 80386 lacks")
        math(EXPR faults "${faults} + ${found}")
    else()
        message("${file}: ${count} instructions, all of the 80386")
    endif()
endforeach()

if(faults GREATER 0)
    message(FATAL_ERROR "${faults} faults")
endif()
