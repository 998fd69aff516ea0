#!/usr/bin/env bash
# vantrel PROFILE.bpf sent to a running vantrel-driver, as a user does it: the device log ends
# in "Profile load complete.", the next press through the joystick plays the new profile, a
# refused profile leaves it playing, and the driver loads it again at its next start.
# Arguments: the vantrel and vantrel-driver executables, the examples folder.
set -u
vantrel=$1
driver=$2
examples=$3
work=$(mktemp -d /tmp/vantrel-drv-XXXXXX)
driver_pid=""
trap '[ -n "$driver_pid" ] && kill "$driver_pid" 2>/dev/null; rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="$work/run" XDG_STATE_HOME="$work/state" XDG_CONFIG_HOME="$work/config"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset DISPLAY WAYLAND_DISPLAY
export QT_QPA_PLATFORM=offscreen
fail() { echo "FAIL: $*"; exit 1; }

cp "$examples/combat.vtp" "$work/"
"$vantrel" "$work/combat.vtp" || fail "combat.vtp was not translated"
mkfifo "$work/stick"

start() {
    "$driver" --device "$work/stick" --output print >"$work/out" 2>"$work/log" &
    driver_pid=$!
    for _ in $(seq 200); do
        grep -q "input $work/stick" "$work/log" && return
        sleep 0.05
    done
    fail "driver did not start: $(cat "$work/log")"
}
# Raw input_event records: 16 bytes of time, then type, code and value, little-endian.
zeros='\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00'
syn="$zeros"'\x00\x00\x00\x00\x00\x00\x00\x00'
# BTN_THUMB (289), which the generic map gives FireA: down, report, up, report.
pull_fire_a() {
    printf "$zeros"'\x01\x00\x21\x01\x01\x00\x00\x00'"$syn$zeros"'\x01\x00\x21\x01\x00\x00\x00\x00'"$syn" \
        >"$work/stick"
}
wait_for() { # file text
    for _ in $(seq 200); do
        grep -qF "$2" "$1" && return 0
        sleep 0.05
    done
    return 1
}

start
"$vantrel" "$work/combat.bpf" 2>"$work/query" || fail "exit status $? for a profile taken"
tail -n 1 "$work/query" | grep -qx "Profile load complete." || fail "$(cat "$work/query")"
pull_fire_a
wait_for "$work/out" "key down, usage 21" || fail "FireA did not play RadarMode: $(cat "$work/out")"

printf '\x05\x10\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00' >"$work/bad.bpf"
"$vantrel" "$work/bad.bpf" 2>"$work/query" && fail "succeeded although the device refused"
tail -n 2 "$work/query" | head -n 1 | grep -qx "Profile load error.  Value: 2" || fail "$(cat "$work/query")"
tail -n 1 "$work/query" | grep -q "^Reason:  version 5" || fail "no reason given: $(cat "$work/query")"
lines=$(wc -l <"$work/out")
pull_fire_a
for _ in $(seq 200); do
    [ "$(grep -c "key down, usage 21" "$work/out")" -ge 2 ] && break
    sleep 0.05
done
[ "$(grep -c "key down, usage 21" "$work/out")" -ge 2 ] ||
    fail "the refused profile replaced the previous one: $(tail -n +"$lines" "$work/out")"

kill -TERM "$driver_pid"
wait "$driver_pid" || fail "driver stopped with status $?"
driver_pid=""
start
wait_for "$work/log" "kept profile loaded from $XDG_STATE_HOME/vantrel/profile.bpf" ||
    fail "the kept profile was not loaded: $(cat "$work/log")"
echo "PASS"
