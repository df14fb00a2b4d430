#!/bin/sh
# Takes the README's screenshot: builds the program and the test that drives it in an X server of
# its own (Xvfb), plays four moves there, restarts the program on the restored game and saves its
# window to docs/screenshot.png (or the file given as argument). Needs no display.
set -e
cd "$(dirname "$0")/.."
ziel="$(realpath -m "${1:-docs/screenshot.png}")"
./tools/abhaengigkeiten.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" --target brakmor tst_echtesfenster
mkdir -p "$(dirname "$ziel")"
BRAKMOR_FOTO="$ziel" ./build/tests/tst_echtesfenster
echo "Screenshot: $ziel"
