#!/bin/sh
# Measures perft speed of Brakmor's generator and of Debian's stockfish (one thread) in the same run
# and prints both and their ratio. Usage: bench/perft_vergleich.sh [BUILD_DIR]
set -e
cd "$(dirname "$0")/.."
BUILD=${1:-build}
STOCKFISH=/usr/games/stockfish
[ -x "$STOCKFISH" ] || { echo "stockfish not found: apt-get install stockfish" >&2; exit 1; }
[ -x "$BUILD/bench/perft_bench" ] || { echo "build first: $BUILD/bench/perft_bench missing" >&2; exit 1; }

KIWIPETE="r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1"

# Milliseconds stockfish needs for "go perft DEPTH" after "position ...", start-up subtracted.
stockfish_ms() {
    lauf() {
        start=$(date +%s%N)
        printf 'setoption name Threads value 1\nposition %s\ngo perft %s\nquit\n' "$1" "$2" \
            | "$STOCKFISH" >/dev/null
        echo $(( ($(date +%s%N) - start) / 1000000 ))
    }
    leer=$(lauf "$1" 1)
    voll=$(lauf "$1" "$2")
    echo $((voll - leer))
}

brakmor=$("$BUILD/bench/perft_bench")
echo "$brakmor"
b_start=$(echo "$brakmor" | awk '/^start/ {print $(NF-1)}')
b_kiwi=$(echo "$brakmor" | awk '/^kiwipete/ {print $(NF-1)}')

sf_start_ms=$(stockfish_ms startpos 6)
sf_kiwi_ms=$(stockfish_ms "fen $KIWIPETE" 5)
sf_start=$((119060324 * 1000 / sf_start_ms))
sf_kiwi=$((193690690 * 1000 / sf_kiwi_ms))
echo "stockfish start perft 6: ${sf_start_ms} ms, ${sf_start} nodes/s"
echo "stockfish kiwipete perft 5: ${sf_kiwi_ms} ms, ${sf_kiwi} nodes/s"
awk -v b1="$b_start" -v s1="$sf_start" -v b2="$b_kiwi" -v s2="$sf_kiwi" 'BEGIN {
    printf "ratio start: 1/%.1f, kiwipete: 1/%.1f (goal: 1/8 or better)\n", s1 / b1, s2 / b2 }'
