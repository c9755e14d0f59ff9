#!/usr/bin/env bash
# Long fuzzing runs of the game flow and the RTF reader.
#
# Builds the libFuzzer programs with clang++ in build-fuzz-clang (AddressSanitizer
# and UndefinedBehaviorSanitizer) or, with --fast, in build-fuzz-fast
# (UndefinedBehaviorSanitizer only, about five times the inputs a second),
# seeds the corpora and runs each fuzzer for the given number of inputs.
# Crashing inputs land in <build>/tests/fuzz/artifacts/; replay one with
#   <build>/bin/game_fuzz <file>   (or rtf_fuzz).
#
# Usage: tests/fuzz/longrun.sh [--fast] [--game-runs N] [--rtf-runs N] [--jobs N]
set -euo pipefail
cd "$(dirname "$0")/../.."

build=build-fuzz-clang
flags=(-DPALTSEKHOD_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo)
game_runs=20000
rtf_runs=10000000
jobs=1
while [ $# -gt 0 ]; do
    case $1 in
    --fast) build=build-fuzz-fast
            flags=(-DPALTSEKHOD_SANITIZE=OFF -DCMAKE_BUILD_TYPE=Release
                   "-DCMAKE_CXX_FLAGS=-fsanitize=undefined -fno-sanitize-recover=undefined -g")
            shift ;;
    --game-runs) game_runs=$2; shift 2 ;;
    --rtf-runs) rtf_runs=$2; shift 2 ;;
    --jobs) jobs=$2; shift 2 ;;
    *) echo "usage: $0 [--fast] [--game-runs N] [--rtf-runs N] [--jobs N]" >&2; exit 2 ;;
    esac
done

cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DPALTSEKHOD_FUZZ=ON -DPALTSEKHOD_BUILD_BENCH=OFF \
    "${flags[@]}" >/dev/null
targets=(game_fuzz fuzz_seeds)
grep -q '^rtf_fuzz:' <(ninja -C "$build" -t targets all 2>/dev/null) && targets+=(rtf_fuzz)
cmake --build "$build" -j2 --target "${targets[@]}"

bin=$build/bin
fuzz=$build/tests/fuzz
corpus=$fuzz/corpus
mkdir -p "$corpus"/{game,game-seeds,rtf,rtf-seeds} "$fuzz/artifacts"
"$bin/fuzz_seeds" "$corpus/game-seeds" "$corpus/rtf-seeds"
common=(-seed=1 -print_final_stats=1 -artifact_prefix="$fuzz/artifacts/")
[ "$jobs" -gt 1 ] && common+=(-jobs="$jobs" -workers="$jobs")

echo "== game_fuzz: $game_runs inputs"
"$bin/game_fuzz" "${common[@]}" -runs="$game_runs" -max_len=4096 "$corpus/game" "$corpus/game-seeds"

if [ -x "$bin/rtf_fuzz" ]; then
    echo "== rtf_fuzz: $rtf_runs inputs"
    QT_QPA_PLATFORM=offscreen LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp \
        "$bin/rtf_fuzz" "${common[@]}" -runs="$rtf_runs" -max_len=4096 \
        "$corpus/rtf" "$corpus/rtf-seeds" tests/fuzz/corpus/rtf
fi
