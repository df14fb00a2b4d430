#!/bin/sh
# Installs what is missing, builds Brakmor and starts it.
set -e
cd "$(dirname "$0")"
./tools/abhaengigkeiten.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)"
exec ./build/cli/brakmor-cli perft 5
