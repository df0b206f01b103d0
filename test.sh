#!/usr/bin/env bash
# Sets up what is missing, builds the test configuration and runs every test.
#   ./test.sh           AddressSanitizer + UndefinedBehaviorSanitizer build, all tests
#   ./test.sh --tsan    ThreadSanitizer build, the tests labelled "threads"
# Every mode first checks that each source file is formatted (scripts/format.sh).
set -euo pipefail
cd "$(dirname "$0")"
./scripts/deps.sh
./scripts/format.sh --check

mode=asan
if [[ "${1:-}" == "--tsan" ]]; then mode=tsan; shift; fi

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
if [[ $mode == asan ]]; then
    dir=build/test
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORIX_SANITIZE=address,undefined >/dev/null
    cmake --build "$dir"
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1
    export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    ctest --test-dir "$dir" --output-on-failure -j "$jobs" -LE threads "$@"
else
    dir=build/tsan
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORIX_SANITIZE=thread >/dev/null
    cmake --build "$dir"
    export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:suppressions=$PWD/tests/tsan.supp
    ctest --test-dir "$dir" --output-on-failure -j "$jobs" -L threads "$@"
fi
