#!/usr/bin/env bash
# Sets up what is missing, builds the test configuration and runs every test.
#   ./test.sh           AddressSanitizer + UndefinedBehaviorSanitizer build, all tests
#   ./test.sh --tsan    ThreadSanitizer build, the tests labelled "threads"
#   ./test.sh --fuzz    clang libFuzzer build (ASan + UBSan), each fuzz target for
#                       QUORIX_FUZZ_SECONDS seconds (default 60) from its seed corpus
# Every mode first checks that each source file is formatted (scripts/format.sh).
set -euo pipefail
cd "$(dirname "$0")"

mode=asan
if [[ "${1:-}" == "--tsan" ]]; then mode=tsan; shift; fi
if [[ "${1:-}" == "--fuzz" ]]; then mode=fuzz; shift; fi

if [[ $mode == fuzz ]]; then ./scripts/deps.sh fuzz; else ./scripts/deps.sh; fi
./scripts/format.sh --check

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
elif [[ $mode == fuzz ]]; then
    dir=build/fuzz
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
        -DQUORIX_FUZZ=ON -DQUORIX_SANITIZE=address,undefined >/dev/null
    cmake --build "$dir" --target fuzz_expression fuzz_graphfile fuzz_graphbody
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1
    export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    seconds=${QUORIX_FUZZ_SECONDS:-60}
    for target in expression graphfile graphbody; do
        corpus=$dir/corpus/$target
        mkdir -p "$corpus"
        if [[ $target == expression ]]; then cp fuzz/seeds/expression/* "$corpus"/; fi
        echo "Fuzzing $target for $seconds s"
        # A run that finds a crash, a leak, a sanitizer report or an input slower than 10 s
        # stops with an error and leaves the input in $dir/crashes.
        mkdir -p "$dir/crashes"
        QUORIX_FUZZ_SEEDS=$corpus "$dir/fuzz/fuzz_$target" "$corpus" -max_total_time="$seconds" -timeout=10 \
            -rss_limit_mb=4096 -artifact_prefix="$dir/crashes/$target-" -print_final_stats=1 "$@" \
            2>"$dir/fuzz_$target.log" || { tail -n 60 "$dir/fuzz_$target.log"; exit 1; }
        grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "$dir/fuzz_$target.log" || true
    done
    echo "Fuzzing: every target ran $seconds s without a finding."
else
    dir=build/tsan
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORIX_SANITIZE=thread >/dev/null
    cmake --build "$dir"
    export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:suppressions=$PWD/tests/tsan.supp
    ctest --test-dir "$dir" --output-on-failure -j "$jobs" -L threads "$@"
fi
