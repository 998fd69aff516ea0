#!/usr/bin/env bash
# Boots Debian's own kernel under qemu (TCG) with this machine's root file system read-only over
# 9p and runs a program of the build in it as root, with uinput, evdev and udev. Its output is
# printed here and its exit status returned; the end of the machine's console is printed on
# failure, all of it with VANTREL_KERNEL_CONSOLE=1.
# Usage: run-vm.sh GUEST-INIT CACHE-FOLDER PROGRAM [ARGUMENT...]
# The kernel package is fetched once into CACHE-FOLDER. Exit status 77: qemu cannot start here.
set -u
# The guest sees the host's files at the same absolute paths.
init=$(realpath "$1")
cache=$(realpath -m "$2")
program=$(realpath "$3")
shift 3
here=$(cd "$(dirname "$0")" && pwd)
# The modules the guest loads, in an order that satisfies their dependencies: virtio and 9p
# for the root file system, then the input devices.
modules=(drivers/virtio/virtio_ring drivers/virtio/virtio drivers/virtio/virtio_pci_modern_dev
         drivers/virtio/virtio_pci_legacy_dev drivers/virtio/virtio_pci net/9p/9pnet
         net/9p/9pnet_virtio fs/netfs/netfs fs/fscache/fscache fs/9p/9p drivers/input/evdev
         drivers/input/misc/uinput)

skip() { echo "SKIPPED: $*"; exit 77; }
command -v qemu-system-x86_64 >/dev/null ||
    skip "qemu-system-x86_64 is missing; scripts/install-deps installs qemu-system-x86"
command -v cpio >/dev/null || skip "cpio is missing; scripts/install-deps installs it"

# The kernel linux-image-amd64 stands for, unpacked (not installed); only what the guest uses
# is kept.
fetch_kernel() {
    local package staging
    kernel_package() {
        apt-cache depends linux-image-amd64 2>/dev/null |
            awk '$1 == "Depends:" && $2 ~ /^linux-image-[0-9]/ { print $2; exit }'
    }
    package=$(kernel_package)
    # A machine whose package lists were emptied (a container image) reads them afresh.
    if [ -z "$package" ] && [ "$(id -u)" -eq 0 ]; then
        apt-get update -qq && package=$(kernel_package)
    fi
    [ -n "$package" ] || { echo "apt knows no linux-image-amd64"; return 1; }
    staging="$cache/unpacked"
    rm -rf "$staging" "$cache/modules" && mkdir -p "$staging" "$cache/modules"
    (cd "$staging" && apt-get download "$package" 2>&1 | grep -v '^W: Download is performed unsandboxed') ||
        return 1
    dpkg-deb -x "$staging"/"$package"_*.deb "$staging/root" || return 1
    local tree=("$staging"/root/lib/modules/*/kernel) i=10
    for module in "${modules[@]}"; do
        cp "$tree/$module.ko" "$cache/modules/$i-${module##*/}.ko" || return 1
        i=$((i + 1))
    done
    cp "$staging"/root/boot/vmlinuz-* "$cache/vmlinuz" && echo "$package" >"$cache/package"
    local status=$?
    rm -rf "$staging"
    return $status
}
mkdir -p "$cache"
if [ ! -s "$cache/package" ] || [ ! -f "$cache/vmlinuz" ]; then
    rm -f "$cache/package"
    echo "Fetching the kernel package into $cache"
    fetch_kernel || skip "no kernel package could be fetched with apt-get download"
fi

# The guest mounts /tmp and /run afresh, which would hide a checkout or a build there: the folder
# that holds the sources, the build and the cache is shared once more, at its own path.
common_folder() {
    local common=$1 path
    shift
    for path in "$@"; do
        while [ "${path#"$common"/}" = "$path" ] && [ "$path" != "$common" ]; do
            common=$(dirname "$common")
        done
    done
    echo "$common"
}
project=$(common_folder "$(cd "$here/../.." && pwd)" "$(dirname "$program")" "$cache")

run=$(mktemp -d "$cache/run-XXXXXX")
trap 'rm -rf "$run"' EXIT
mkdir -p "$run/initramfs/modules" "$run/initramfs/dev" "$run/initramfs/root" "$run/results"
cp "$init" "$run/initramfs/init" && cp "$cache"/modules/*.ko "$run/initramfs/modules/"
(cd "$run/initramfs" && find . | cpio -o -H newc --quiet >"$run/initramfs.cpio") || exit 1
printf '%q ' "$program" "$@" >"$run/results/command"

echo "Booting $(cat "$cache/package") under qemu (TCG)"
started=$(date +%s)
quiet=quiet
[ -n "${VANTREL_KERNEL_CONSOLE:-}" ] && quiet=""
timeout --kill-after=10 "${VANTREL_KERNEL_TIMEOUT:-300}" qemu-system-x86_64 -accel tcg -m 1536 \
    -nodefaults -no-user-config -display none -serial stdio -no-reboot \
    -kernel "$cache/vmlinuz" -initrd "$run/initramfs.cpio" \
    -append "console=ttyS0 panic=-1 $quiet VANTREL_GUEST_SCRIPT=$here/guest.sh VANTREL_GUEST_RESULTS=$run/results VANTREL_GUEST_PROJECT=$project" \
    -virtfs local,path=/,mount_tag=hostroot,security_model=none,readonly=on,multidevs=remap \
    -virtfs "local,path=$project,mount_tag=project,security_model=none,readonly=on,multidevs=remap" \
    -virtfs "local,path=$run/results,mount_tag=results,security_model=none" \
    >"$run/console.log" 2>&1
machine=$?
echo "The machine ran $(($(date +%s) - started)) s"
cat "$run/results/guest.log" 2>/dev/null
if [ -n "${VANTREL_KERNEL_CONSOLE:-}" ]; then
    echo "The machine's console:"
    cat "$run/console.log"
fi
status=$(cat "$run/results/status" 2>/dev/null)
if [ "$status" != 0 ]; then
    if [ -z "$status" ]; then
        [ "$machine" = 124 ] && echo "FAILED: the machine was stopped after ${VANTREL_KERNEL_TIMEOUT:-300} s"
        echo "FAILED: the guest did not finish; its console:"
    else
        echo "FAILED: exit status $status; the machine's console:"
    fi
    tail -n 60 "$run/console.log"
    [ -s "$run/results/udevd.log" ] && { echo "udevd:"; cat "$run/results/udevd.log"; }
    exit 1
fi
exit 0
