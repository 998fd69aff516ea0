#!/usr/bin/env bash
# vantrel with a .bpf argument, run as a user would with no display: exit status 0 only when
# the device took the profile. Arguments: the vantrel and x36-simdriver executables.
set -u
vantrel=$1
simdriver=$2
work=$(mktemp -d /tmp/vantrel-cli-XXXXXX)
driver=""
trap '[ -n "$driver" ] && kill "$driver" 2>/dev/null; rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="$work"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
fail() { echo "FAIL: $*"; exit 1; }

printf '\x04\x10\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00' >"$work/empty.bpf"

"$vantrel" "$work/empty.bpf" 2>"$work/out" && fail "succeeded without a driver"
grep -qx "Device Query: Error opening driver.  Error: 2" "$work/out" || fail "$(cat "$work/out")"
# ... and says which socket it tried and how to start a driver there.
tail -n 1 "$work/out" | grep -q "^No driver listens on $work/X36Program: start one with systemctl --user start vantrel-driver, or .*x36-simdriver" ||
    fail "no word of how to start a driver: $(cat "$work/out")"
"$simdriver" --version | grep -qx "x36-simdriver [0-9.]*" || fail "x36-simdriver --version"

start() {
    "$simdriver" --once "$@" >"$work/driver" 2>&1 &
    driver=$!
    for _ in $(seq 200); do
        grep -q "listening on" "$work/driver" && return
        sleep 0.05
    done
    fail "driver did not start: $(cat "$work/driver")"
}

start
"$vantrel" "$work/empty.bpf" 2>"$work/out" || fail "exit status $? for a profile taken"
tail -n 1 "$work/out" | grep -qx "Profile load complete." || fail "$(cat "$work/out")"
wait "$driver" || fail "driver refused the profile"

start --reply load=2
"$vantrel" "$work/empty.bpf" 2>"$work/out" && fail "succeeded although the device refused"
tail -n 2 "$work/out" | head -n 1 | grep -qx "Profile load error.  Value: 2" || fail "$(cat "$work/out")"
tail -n 1 "$work/out" | grep -qx "Reason:  the reply was forced to 2" || fail "$(cat "$work/out")"
wait "$driver"
driver=""
echo "PASS"
