#!/bin/sh
# Installs what is missing, then builds and runs, each in its own folder:
#   build-asan  every test with AddressSanitizer and UndefinedBehaviorSanitizer;
#   build-fuzz  every fuzz target for 20 seconds (libFuzzer with both sanitizers, clang);
#   build-tsan  the tests that run threads, with ThreadSanitizer.
set -e
cd "$(dirname "$0")"
./tools/abhaengigkeiten.sh
jobs=$(nproc)

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRAKMOR_SANITIZE=address >/dev/null
cmake --build build-asan -j"$jobs"
(
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    cd build-asan
    ctest --output-on-failure -j"$jobs" -E '^tst_echtesfenster$'
    # The real window runs alone, after the rest. Its waits for animations and timers once ran
    # short on a CI machine while the program was fine, so a failed run gets one more; a fault
    # that shows every time fails both.
    ctest --output-on-failure -R '^tst_echtesfenster$' ||
        ctest --output-on-failure -R '^tst_echtesfenster$'
)

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DBRAKMOR_SANITIZE=fuzzer >/dev/null
cmake --build build-fuzz -j"$jobs" --target fuzz
UBSAN_OPTIONS=print_stacktrace=1 tests/fuzz/laufe.sh 20 build-fuzz

cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRAKMOR_SANITIZE=thread >/dev/null
cmake --build build-tsan -j"$jobs" --target nebenlaeufig
# Qt's libraries are not built with ThreadSanitizer, so their own locks are invisible to it and what
# happens inside them would be reported falsely; ignore_noninstrumented_modules leaves out only the
# accesses made inside such libraries, tsan-qt.supp the two hand-overs through Qt's inline templates.
# Every other access of this program's code is still checked, and any report fails the run.
(
    export TSAN_OPTIONS=halt_on_error=1:ignore_noninstrumented_modules=1:suppressions=$PWD/tests/tsan-qt.supp
    cd build-tsan && ctest --output-on-failure -j"$jobs" -L nebenlaeufig
)
