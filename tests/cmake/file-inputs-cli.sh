#!/usr/bin/env bash
# vantrel run as a user would, with no display, on inputs that are not plain readable files
# and on device files that cannot be written. Nothing may hang, nothing good may be lost, and
# every refusal says why. Argument: the vantrel executable.
set -u
vantrel=$1
work=$(mktemp -d /tmp/vantrel-files-XXXXXX)
small="$work/small"
trap 'mountpoint -q "$small" && umount "$small"; rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="$work"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
fail() { echo "FAIL: $*"; exit 1; }

profile='<PROGRAM_MODES>
[DEFAULT]
{DEFAULT}'

# Runs vantrel on a path with a time limit; sets status and errors.
run() {
    timeout 60 "$@" 2>"$work/err" >/dev/null
    status=$?
    errors=$(cat "$work/err")
    [ "$status" -ne 124 ] || fail "$* did not end"
}

# A translation refused with one message line and the device file beside it kept.
expect_refused() {
    local vtp=$1 message=$2 bpf=${1%.vtp}.bpf
    printf 'good old device file' >"$bpf"
    run "$vantrel" "$vtp"
    [ "$status" -eq 1 ] || fail "$vtp: exit status $status"
    [ "$errors" = "$vtp: $message" ] || fail "$vtp: stderr [$errors]"
    [ "$(cat "$bpf")" = "good old device file" ] || fail "$vtp: the device file was changed"
}

mkdir "$work/folder.vtp"
expect_refused "$work/folder.vtp" "Error opening file."
mkfifo "$work/fifo.vtp"
expect_refused "$work/fifo.vtp" "Error opening file."
ln -s /dev/zero "$work/zero.vtp"
expect_refused "$work/zero.vtp" "Error opening file."
truncate -s 268435457 "$work/huge.vtp"
expect_refused "$work/huge.vtp" \
    "The file is too large to be a profile:  268435457 bytes or more (at most 268435456)."

# The device link refuses a FIFO at once, with the system's code for an unusable file.
mkfifo "$work/pipe.bpf"
run "$vantrel" "$work/pipe.bpf"
[ "$status" -eq 1 ] || fail "pipe.bpf: exit status $status"
[ "$errors" = "Device Query: Error: unable to open file $work/pipe.bpf.   Error 22" ] ||
    fail "pipe.bpf: stderr [$errors]"

# A device file that cannot be written: one line naming it and the system's reason.
expect_unwritable() {
    local vtp=$1 reason=$2
    shift 2
    run "$@" "$vantrel" "$vtp"
    [ "$status" -eq 1 ] || fail "$vtp: exit status $status"
    [ "$errors" = "Cannot write ${vtp%.vtp}.bpf: $reason" ] || fail "$vtp: stderr [$errors]"
}

printf '%s\n' "$profile" >"$work/taken.vtp"
mkdir "$work/taken.bpf"
expect_unwritable "$work/taken.vtp" "Is a directory"
[ -z "$(ls -A "$work/taken.bpf")" ] || fail "taken.bpf: the folder was written into"

mkdir "$work/locked"
printf '%s\n' "$profile" >"$work/locked/air.vtp"
printf 'old' >"$work/locked/air.bpf"
chmod 755 "$work"
chmod 555 "$work/locked"
if [ "$(id -u)" -ne 0 ]; then
    expect_unwritable "$work/locked/air.vtp" "Permission denied"
elif setpriv --reuid=65534 --regid=65534 --clear-groups true 2>/dev/null; then
    # The administrator may write anywhere; the unprivileged user may not.
    expect_unwritable "$work/locked/air.vtp" "Permission denied" \
        setpriv --reuid=65534 --regid=65534 --clear-groups
else
    echo "SKIP read-only folder: cannot run as the user nobody"
fi
[ "$(cat "$work/locked/air.bpf")" = old ] || fail "locked/air.bpf was changed"
[ "$(ls "$work/locked" | wc -l)" -eq 2 ] || fail "locked: $(ls "$work/locked")"

mkdir "$small"
if mount -t tmpfs -o size=64k tmpfs "$small" 2>/dev/null; then
    head -c 57344 /dev/zero >"$small/filler"
    { echo "<SCRIPTLIST>"; printf 'Long'; for _ in $(seq 1500); do printf ' a'; done
      echo; printf '%s\n' "$profile"; } >"$small/full.vtp"
    printf 'old' >"$small/full.bpf"
    expect_unwritable "$small/full.vtp" "No space left on device"
    [ "$(cat "$small/full.bpf")" = old ] || fail "full.bpf was changed"
    [ "$(ls "$small" | wc -l)" -eq 3 ] || fail "small disk: $(ls "$small")"
    umount "$small"
else
    echo "SKIP full disk: cannot mount a 64 KiB tmpfs"
fi
echo "PASS"
