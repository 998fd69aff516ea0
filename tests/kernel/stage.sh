#!/bin/bash
# The kernel stage inside the machine: every case of the kernel tests, the Controls window
# against a fake stick, and the cases of the driver's own tests that need uinput (which skip
# where there is none). Those must really run here, so a skip among them fails the stage.
# Usage: stage.sh KERNEL-TESTS KERNEL-GUI-TESTS DRIVER-IO-TESTS DRIVER-TESTS [GTEST-ARGUMENT...]
kernel_tests=$1 window_tests=$2 io_tests=$3 driver_tests=$4
shift 4
status=0
"$kernel_tests" "$@" || status=1
QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 "$window_tests" -platform offscreen ||
    status=1
# name filter: a program and the one case of it that needs uinput.
must_run() {
    local output
    output=$("$1" --gtest_color=no --gtest_filter="$2" 2>&1)
    local ran=$?
    echo "$output"
    if [ $ran != 0 ] || ! grep -q '^\[  PASSED  \] 1 test' <<<"$output" ||
        grep -q '^\[  SKIPPED \]' <<<"$output"; then
        echo "FAILED: $2 did not run and pass in the machine"
        status=1
    fi
}
must_run "$io_tests" UinputLayout.CreatesTheDevicesWhereUinputExists
must_run "$driver_tests" OutputChoice.RealUinputWhereTheMachineHasOne
exit $status
