#!/bin/sh
# Installs the Debian packages the build, the game and the tests need; does nothing when all are
# present, so run.sh and test.sh can call it on every start.
set -e

PAKETE="cmake g++ make qtbase5-dev qtbase5-dev-tools xvfb xauth x11-utils xdotool pgn-extract
        clang libclang-rt-14-dev"

fehlend=""
for paket in $PAKETE; do
    if ! dpkg-query -W -f='${Status}' "$paket" 2>/dev/null | grep -q "install ok installed"; then
        fehlend="$fehlend $paket"
    fi
done
[ -z "$fehlend" ] && exit 0

echo "Installing:$fehlend"
if [ "$(id -u)" -eq 0 ]; then
    SUDO=""
else
    SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# shellcheck disable=SC2086
$SUDO apt-get install -y -qq --no-install-recommends $fehlend
