#!/usr/bin/env bash
# What scripts/install-deps is asked for by make run and make test, as make would run them.
# Argument: the source folder.
set -u
cd "$1" || exit 1
fail() { echo "FAIL: $*"; exit 1; }

# The install-deps calls of a target, as make would run them (nothing is run).
deps_calls() { make -n "$1" 2>/dev/null | grep '^scripts/install-deps'; }

run_calls=$(deps_calls run)
[ "$run_calls" = "scripts/install-deps build" ] || fail "make run installs: $run_calls"
build_set=$(scripts/install-deps --list build) || fail "no set build"
for heavy in wine wine64 g++-mingw-w64-x86-64 clang-14 libgtest-dev libbenchmark-dev; do
    ! grep -qx "$heavy" <<<"$build_set" || fail "make run would install $heavy"
done
# What the program is built with comes with the build set.
for needed in cmake ninja-build qt6-base-dev libevdev-dev libudev-dev libxtst-dev; do
    grep -qx "$needed" <<<"$build_set" || fail "the build set lacks $needed"
done

test_calls=$(deps_calls test)
[ "$(head -n 1 <<<"$test_calls")" = "scripts/install-deps" ] ||
    fail "make test does not install every set first: $test_calls"
# Every set a stage names exists (an unknown one would stop the stage).
for stage in test-unit test-release test-fuzz test-windows package bench; do
    while read -r _ sets; do
        # shellcheck disable=SC2086
        scripts/install-deps --list $sets >/dev/null || fail "make $stage: install-deps $sets"
    done < <(deps_calls "$stage")
done
scripts/install-deps --list nonsense >/dev/null 2>&1 && fail "an unknown set was accepted"
echo "PASS"
