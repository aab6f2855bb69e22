#!/bin/bash
# Sourced helpers for running a command inside a small virtual machine whose
# kernel runs 32-bit programs, for machines whose own kernel cannot (32-bit
# emulation off: every i386 program, and so 32-bit Wine, fails with "Exec
# format error"). The machine boots Debian's kernel under QEMU with a tiny
# initramfs of our own that mounts this machine's root folder over 9p and
# runs the command there, in a chroot, with its own /proc, /dev and /tmp.
# What the command writes outside /tmp and /dev/shm lands on this machine.
# QEMU emulates the processor in software, so Wine runs about five times
# slower than on a kernel that can run it directly.
#
# VX_FORCE_VM=1 runs Wine in the virtual machine even where this kernel can
# run 32-bit programs (to measure what a machine without that support sees);
# VX_VM_MEMORY sets its memory in MB (default: a third of this machine's, at
# most 8192). Inside, VX_EMULATED=1 tells the tests that the processor is
# emulated.

VX_VM_PACKAGES=(qemu-system-x86 linux-image-amd64 busybox-static)

# The kernel modules the initramfs loads, in dependency order.
VX_VM_MODULES=(virtio_ring virtio virtio_pci_legacy_dev virtio_pci_modern_dev virtio_pci
    netfs fscache 9pnet 9pnet_virtio 9p)

# Whether Wine must run in the virtual machine.
vx_use_vm() {
    [ "${VX_FORCE_VM:-0}" = 1 ] || ! vx_can_run_32bit
}

# Installs QEMU, a kernel and busybox when any is missing.
vx_vm_setup() {
    vx_install_missing "${VX_VM_PACKAGES[@]}" -- --no-install-recommends
}

# The newest installed kernel whose modules are present, as its version.
vx_vm_kernel() {
    local image version best=""
    for image in /boot/vmlinuz-*; do
        [ -f "$image" ] || continue
        version=${image#/boot/vmlinuz-}
        [ -d "/lib/modules/$version" ] || continue
        if [ -z "$best" ] || [ "$(printf '%s\n%s\n' "$best" "$version" | sort -V | tail -n 1)" = "$version" ]; then
            best=$version
        fi
    done
    [ -n "$best" ] || {
        echo "vm: no kernel with modules under /boot" >&2
        return 1
    }
    printf '%s\n' "$best"
}

# Writes the initramfs for kernel $2 to $1.
vx_vm_make_initramfs() {
    local out=$1 kernel=$2 tree module file
    tree=$(mktemp -d)
    mkdir -p "$tree/bin" "$tree/lib/modules" "$tree/proc" "$tree/sys" "$tree/dev" "$tree/host"
    cp "$(command -v busybox)" "$tree/bin/busybox"
    for module in "${VX_VM_MODULES[@]}"; do
        file=$(modinfo -k "$kernel" -n "$module") || {
            rm -rf "$tree"
            return 1
        }
        case $file in
            *.ko) cp "$file" "$tree/lib/modules/$module.ko" ;;
            *.ko.xz) xz -dc "$file" >"$tree/lib/modules/$module.ko" ;;
            *.ko.zst) zstd -qdc "$file" >"$tree/lib/modules/$module.ko" ;;
            *.ko.gz) gzip -dc "$file" >"$tree/lib/modules/$module.ko" ;;
            *) ;; # built into the kernel
        esac
    done
    cat >"$tree/init" <<EOF
#!/bin/busybox sh
/bin/busybox --install -s /bin
mount -t proc proc /proc
mount -t sysfs sys /sys
mount -t devtmpfs dev /dev
for m in ${VX_VM_MODULES[*]}; do
    [ -f /lib/modules/\$m.ko ] && insmod /lib/modules/\$m.ko
done
if ! mount -t 9p -o trans=virtio,version=9p2000.L,msize=512000,cache=loose hostroot /host; then
    echo "vm: cannot mount the host's root folder"
    poweroff -f
fi
mount -t proc proc /host/proc
mount -t sysfs sys /host/sys
mount -t devtmpfs dev /host/dev
mkdir -p /host/dev/pts /host/dev/shm
ln -sf /proc/self/fd /host/dev/fd
ln -sf /proc/self/fd/0 /host/dev/stdin
ln -sf /proc/self/fd/1 /host/dev/stdout
ln -sf /proc/self/fd/2 /host/dev/stderr
mount -t devpts devpts /host/dev/pts
mount -t tmpfs tmp /host/dev/shm
# /tmp is the machine's own, but folders of this machine's /tmp that the job
# works in stay visible there.
mkdir -p /shared
mount -o bind /host/tmp /shared
mount -t tmpfs tmp /host/tmp
keep=\$(sed -n 's/.*vxkeep=\([^ ]*\).*/\1/p' /proc/cmdline)
for dir in \$(echo "\$keep" | tr ':' ' '); do
    case \$dir in
        /tmp/*)
            mkdir -p "/host\$dir"
            mount -o bind "/shared\${dir#/tmp}" "/host\$dir"
            ;;
    esac
done
job=\$(sed -n 's/.*vxjob=\([^ ]*\).*/\1/p' /proc/cmdline)
user=\$(sed -n 's/.*vxuser=\([0-9]*:[0-9]*\).*/\1/p' /proc/cmdline)
if [ -z "\$user" ] || [ "\$user" = 0:0 ]; then
    chroot /host /bin/bash "\$job"
else
    # Wine runs only in a prefix its user owns: the job runs as the user
    # who started the machine.
    chroot /host /usr/bin/setpriv --reuid="\${user%:*}" --regid="\${user#*:}" --clear-groups \
        /bin/bash "\$job"
fi
sync
poweroff -f
EOF
    chmod +x "$tree/init"
    (cd "$tree" && find . | cpio -o -H newc 2>/dev/null | gzip -1) >"$out"
    rm -rf "$tree"
}

# vx_vm_run STATE_DIR COMMAND [ARGS...]: runs the command in the virtual
# machine from the current folder with the current environment's exported
# variables, and returns its exit status. STATE_DIR keeps the initramfs, the
# job and its status; its parent and the current folder stay visible inside when
# they lie under /tmp, which is otherwise the virtual machine's own.
vx_vm_run() {
    local state=$1
    shift
    local kernel
    kernel=$(vx_vm_kernel) || return 1
    mkdir -p "$state"
    state=$(realpath "$state")
    case "$state:$PWD" in
        *' '* | /dev/shm/* | *:/dev/shm/*)
            echo "vm: cannot share $state and $PWD with the virtual machine (a space, or /dev/shm)" >&2
            return 1
            ;;
    esac
    vx_vm_make_initramfs "$state/initrd.gz" "$kernel" || return 1
    # The job: this shell's exported variables (less those naming this
    # machine's session), the folder, the command, and a status file.
    {
        echo '#!/bin/bash'
        export -p | grep -Ev '^declare -x (DISPLAY|XAUTHORITY|TMPDIR|SSH_[A-Z_]*|DBUS_[A-Z_]*|XDG_RUNTIME_DIR|OLDPWD|PWD|SHLVL)='
        echo 'export VX_EMULATED=1'
        printf 'cd %q || exit 1\n' "$PWD"
        # Through a pipe, so that Wine's console sees no terminal and
        # writes plain lines rather than cursor movements.
        printf '%q ' "$@"
        printf '2>&1 | cat\necho "${PIPESTATUS[0]}" >%q\n' "$state/status"
    } >"$state/job.sh"
    rm -f "$state/status"
    local memory=${VX_VM_MEMORY:-}
    if [ -z "$memory" ]; then
        memory=$(($(awk '/^MemTotal:/ { print int($2 / 1024) }' /proc/meminfo) / 3))
        [ "$memory" -gt 8192 ] && memory=8192
    fi
    [ "$memory" -lt 1024 ] && memory=1024
    # The CPU model is Nehalem: with "max", QEMU 7.2's emulation of IRET in
    # 32-bit code under SMAP faults, and Wine returns from its signal
    # handlers that way.
    # A machine that hangs is stopped after VX_VM_TIMEOUT seconds (an hour).
    timeout "${VX_VM_TIMEOUT:-3600}" qemu-system-x86_64 -accel tcg,thread=multi -cpu Nehalem -smp "$(nproc)" -m "$memory" \
        -nodefaults -no-user-config -display none -no-reboot -serial stdio \
        -kernel "/boot/vmlinuz-$kernel" -initrd "$state/initrd.gz" \
        -append "console=ttyS0 quiet loglevel=1 vxjob=$state/job.sh vxuser=$(id -u):$(id -g) vxkeep=$PWD:${state%/*}" \
        -fsdev local,id=root,path=/,security_model=none,multidevs=remap \
        -device virtio-9p-pci,fsdev=root,mount_tag=hostroot </dev/null
    local rc
    rc=$(cat "$state/status" 2>/dev/null) || {
        echo "vm: the command did not finish inside the virtual machine" >&2
        return 1
    }
    return "$rc"
}
