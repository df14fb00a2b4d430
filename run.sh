#!/bin/sh
# Installs what is missing, builds Brakmor and starts it; arguments go to the program (a PGN file
# to open, for example).
set -e
cd "$(dirname "$0")"
./tools/abhaengigkeiten.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" --target brakmor
if [ -z "$DISPLAY" ] && [ -z "$WAYLAND_DISPLAY" ]; then
    echo "Brakmor is built (build/app/brakmor), but there is no display to show it on:" >&2
    echo "neither DISPLAY nor WAYLAND_DISPLAY is set. Start it from a graphical session." >&2
    exit 1
fi
exec ./build/app/brakmor "$@"
