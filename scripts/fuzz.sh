#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer + UndefinedBehaviorSanitizer)
# in build/fuzz, replays every seed corpus in fuzz/corpus/<target>/, then runs each
# target for the given number of seconds (default 60). Exits non-zero on any crash,
# leak, sanitizer report or timeout; the failing input is kept in build/fuzz/artifacts/.
# Usage: scripts/fuzz.sh [seconds-per-target]
set -euo pipefail
seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=build/fuzz

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DZORBLIT_FUZZ=ON -DZORBLIT_TESTS=OFF -DZORBLIT_EXAMPLES=OFF >/dev/null
cmake --build "$build" -j "$(nproc)"

targets=()
for source in fuzz/*_fuzz.cpp; do targets+=("$(basename "$source" .cpp)"); done
for corpus in fuzz/corpus/*/; do
    name=$(basename "$corpus")_fuzz
    [ -x "$build/fuzz/$name" ] || { echo "corpus $corpus has no fuzz target $name" >&2; exit 1; }
done

mkdir -p "$build/artifacts"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
limits=(-timeout=10 -rss_limit_mb=2048 -artifact_prefix="$build/artifacts/")

for target in "${targets[@]}"; do
    seeds=fuzz/corpus/${target%_fuzz}
    # New inputs go to a scratch folder; the seeds in the tree stay as committed.
    corpora=("$work/$target")
    mkdir -p "$work/$target"
    if [ -d "$seeds" ]; then
        corpora+=("$seeds")
        echo "--- $target: replaying $(find "$seeds" -type f | wc -l) seeds"
        find "$seeds" -type f -print0 | xargs -0 -r "$build/fuzz/$target" "${limits[@]}" 2>"$work/$target.log" ||
            { cat "$work/$target.log"; exit 1; }
    fi
    echo "--- $target: fuzzing for ${seconds}s"
    "$build/fuzz/$target" "${limits[@]}" -max_total_time="$seconds" -print_final_stats=1 "${corpora[@]}" \
        2>"$work/$target.log" || { cat "$work/$target.log"; exit 1; }
    grep -E "^stat::number_of_executed_units" "$work/$target.log" || true
done
echo "fuzzing passed"
