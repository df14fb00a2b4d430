#!/bin/sh
# Runs every fuzz target of a fuzzing build for DAUER seconds, two at a time, and prints per
# target the executions and whether it found a crash. Usage: laufe.sh DAUER BUILDORDNER
# New corpus entries go to BUILDORDNER/korpus, crashes to BUILDORDNER/funde; the seed corpus in
# the repository is only read. Exits with 1 when any target failed.
set -u
dauer=$1
build=$(cd "$2" && pwd)
quelle=$(cd "$(dirname "$0")" && pwd)
ZIELE="fen pgn sprache einstellungen uci"

laufe() {
    name=$1
    mkdir -p "$build/korpus/$name" "$build/funde"
    woerterbuch=""
    [ -f "$quelle/$name.dict" ] && woerterbuch="-dict=$quelle/$name.dict"
    # shellcheck disable=SC2086
    "$build/tests/fuzz/fuzz_$name" "$build/korpus/$name" "$quelle/korpus/$name" \
        -max_total_time="$dauer" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$build/funde/${name}-" $woerterbuch >"$build/fuzz_$name.log" 2>&1
}

bericht() {
    name=$1
    status=$2
    laeufe=$(sed -n 's/^stat::number_of_executed_units: *//p' "$build/fuzz_$name.log")
    if [ "$status" -eq 0 ]; then
        echo "fuzz_$name: ${laeufe:-?} executions, no crash"
    else
        echo "fuzz_$name: FAILED (exit $status) after ${laeufe:-?} executions"
        tail -n 40 "$build/fuzz_$name.log"
        fehler=1
    fi
}

fehler=0
set -- $ZIELE
while [ $# -gt 0 ]; do
    erstes=$1
    laufe "$erstes" &
    pid1=$!
    zweites=""
    if [ $# -gt 1 ]; then
        zweites=$2
        laufe "$zweites" &
        pid2=$!
    fi
    wait $pid1
    bericht "$erstes" $?
    if [ -n "$zweites" ]; then
        wait $pid2
        bericht "$zweites" $?
        shift
    fi
    shift
done
exit $fehler
