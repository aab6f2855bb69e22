# Instructions of the 80386 that look like later ones or sit beside them
# in the opcode map, and the padding and prefixes compilers emit: the
# instruction check must pass all of them. ud2 and pause stand for
# themselves: every processor faults on ud2 and runs pause as nop.
    .text
    .globl _plain
_plain:
    nop
    xchg %ax, %ax
    .byte 0x8d, 0x74, 0x26, 0x00  # lea 0x0(%esi,%eiz,1), %esi
    lea 0x0(%esi), %esi
    movzbl (%eax), %ecx
    movsbl %al, %edx
    bsf %eax, %ecx
    bsr %eax, %ecx
    bt %ecx, %eax
    shld $3, %eax, %edx
    setne %al
    cmp %eax, %ecx
    cmpsb
    cmpl $1, (%eax)
    fucompp
    fucom %st(1)
    fcomp %st(1)
    fcompp
    fnstsw %ax
    fsin
    sahf
    rep movsb
    lock incl (%eax)
    cltd
    cwtl
    imul $12, %eax, %ecx
    enter $8, $0
    leave
    xlat
    pause
    ud2
    call _plain
    jmp *(%eax)
    repz ret
