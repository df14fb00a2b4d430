#!/bin/sh
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer, UBSan) and runs each for the given
# number of seconds, two at a time; prints the executions per target and any crash.
# Usage: bench/fuzz.sh SECONDS
set -e
cd "$(dirname "$0")/.."
dauer=${1:?usage: bench/fuzz.sh SECONDS}
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DBRAKMOR_SANITIZE=fuzzer >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target fuzz
UBSAN_OPTIONS=print_stacktrace=1 exec tests/fuzz/laufe.sh "$dauer" build-fuzz
