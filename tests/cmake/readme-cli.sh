#!/usr/bin/env bash
# The README's commands for trying the examples, run as written, in a fresh home folder with
# no display, the programs of the build folder on the PATH and the examples of the source
# tree in place of the installed ones. They run several times, since a driver that is not
# yet listening when vantrel sends fails only now and then; and they must leave no driver
# serving behind them.
# Arguments: the source folder and the folders of vantrel, x36-simdriver and vantrel-driver.
set -u
source_dir=$1
work=$(mktemp -d /tmp/vantrel-readme-XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# The indented block after "To try the examples", up to the paragraph that follows it.
block=$(awk '/^To try the examples/ { found = 1; next }
             found && /^    / { print substr($0, 5); inside = 1; next }
             inside { exit }' "$source_dir/README.md")
[ -n "$block" ] || fail "the README has no block of commands for trying the examples"
block=${block//\/usr\/share\/doc\/vantrel\/examples/$source_dir/examples}

export PATH="$2:$3:$4:$PATH"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
for run in 1 2 3 4 5; do
    export HOME="$work/home$run" XDG_RUNTIME_DIR="$work/run$run"
    mkdir -p "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
    # A session of its own, so that whatever the block leaves running is stopped with it.
    setsid timeout 60 bash -e -c "$block" >"$work/out" 2>&1 &
    session=$!
    wait "$session"
    status=$?
    # A driver left serving would hold the socket, and the next one started would refuse to.
    for _ in $(seq 40); do
        [ -e "$XDG_RUNTIME_DIR/X36Program" ] || break
        sleep 0.05
    done
    left=$([ -e "$XDG_RUNTIME_DIR/X36Program" ] && echo yes)
    kill -- "-$session" 2>/dev/null
    for pid in $(sed -n 's/.*in the background as process \([0-9]*\);.*/\1/p' "$work/out"); do
        kill "$pid" 2>/dev/null
    done
    [ -z "$left" ] || fail "run $run: a driver is left serving: $(cat "$work/out")"
    [ $status -eq 0 ] || fail "run $run: exit status $status: $(cat "$work/out")"
    grep -qx "Profile load complete." "$work/out" || fail "run $run: not sent: $(cat "$work/out")"
    grep -qx "Profile accepted." "$work/out" || fail "run $run: not received: $(cat "$work/out")"
    grep -q "configuration 2 active" "$work/out" || fail "run $run: not played: $(cat "$work/out")"
done
echo "PASS"
