# Instructions and registers that came after the 80386, one a line: the
# instruction check must name every one of them (its test counts the
# lines here that start with an instruction).
    .text
    .globl _later
_later:
    cmove %ecx, %eax
    cmovnbe (%esi), %edx
    fcmovb %st(1), %st
    fcmovnu %st(2), %st
    fcomi %st(1), %st
    fcomip %st(1), %st
    fucomi %st(1), %st
    fucomip %st(1), %st
    bswap %eax
    lock cmpxchg %ecx, (%edx)
    cmpxchg8b (%esi)
    xadd %eax, (%ecx)
    cpuid
    rdtsc
    rdtscp
    rdpmc
    sysenter
    sysexit
    syscall
    sysret
    nopw 0x0(%eax,%eax,1)
    nopl 0x0(%eax)
    .byte 0x66, 0x2e, 0x0f, 0x1f, 0x84, 0x00, 0x00, 0x00, 0x00, 0x00  # nopw %cs:0x0(%eax,%eax,1)
    endbr32
    emms
    movd %eax, %mm0
    paddb %mm1, %mm2
    movaps %xmm0, %xmm1
    addss (%eax), %xmm3
    vmovdqa %ymm0, %ymm1
    lfence
    mfence
    sfence
    prefetchnta (%eax)
    prefetcht0 (%eax)
    prefetchw (%eax)
    clflush (%eax)
    movnti %eax, (%ecx)
    ldmxcsr (%eax)
    stmxcsr (%eax)
    fxsave (%eax)
    fisttpl (%eax)
    popcnt %eax, %ecx
    lzcnt %eax, %ecx
    tzcnt %eax, %ecx
    movbe (%eax), %ecx
    crc32b %al, %ecx
    rdrand %eax
    monitor
    mwait
    xgetbv
    andn %eax, %ecx, %edx
    invd
    wbinvd
    invlpg (%eax)
