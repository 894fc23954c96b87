#!/usr/bin/env bash
# Benchmarks beside their peers: installs what is missing, builds Release, runs,
# prints one table with each row's speed relative to the peer of its group.
# Extra arguments go to the benchmark program (for example --benchmark_filter=Fill).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/deps.sh
need_packages "${BUILD_PACKAGES[@]}" libbenchmark-dev libpixman-1-dev libsdl2-gfx-dev libpng-dev \
    libjpeg62-turbo-dev zlib1g-dev libdeflate-dev libstb-dev xvfb xauth libgl1-mesa-dri libglx-mesa0 python3
source scripts/xvfb.sh
start_xvfb_if_needed
trap stop_xvfb EXIT

cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DZORBLIT_BENCH=ON -DZORBLIT_TESTS=OFF >/dev/null
cmake --build build/bench -j "$(nproc)" --target zorblit_bench
out=build/bench/results.json
# Repetitions of all benchmarks run interleaved in random order, so that a busy
# spell of the machine hits every row alike; the table takes each row's fastest.
build/bench/bench/zorblit_bench --benchmark_repetitions=5 --benchmark_enable_random_interleaving=true \
    --benchmark_out="$out" --benchmark_out_format=json "$@" >/dev/null
python3 scripts/bench_table.py "$out"
