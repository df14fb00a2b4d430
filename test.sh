#!/bin/sh
# Installs what is missing, builds the tests with AddressSanitizer and UndefinedBehaviorSanitizer
# and runs every test through ctest.
set -e
cd "$(dirname "$0")"
./tools/abhaengigkeiten.sh
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRAKMOR_SANITIZE=address >/dev/null
cmake --build build-asan -j"$(nproc)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd build-asan && ctest --output-on-failure -j"$(nproc)"
