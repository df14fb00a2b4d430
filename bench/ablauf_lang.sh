#!/bin/sh
# Runs the game flow's random command sequences far longer than the test suite does.
# Usage: bench/ablauf_lang.sh BUILDORDNER [ANZAHL]   (default 50000 sequences)
set -e
build=$1
anzahl=${2:-50000}
start=$(date +%s)
BRAKMOR_ABLAEUFE=$anzahl QTEST_FUNCTION_TIMEOUT=86400000 "$build/tests/tst_spielablauf" zufaelligeAblaeufe
echo "$anzahl sequences in $(( $(date +%s) - start )) s"
