#!/usr/bin/env bash
# The whole test suite, from a fresh Debian machine: installs what is missing,
# builds the portable form, the packed form and a sanitizer build, and runs every
# test in each. Exits non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/deps.sh
need_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

jobs=$(nproc)
# Compilations repeat across the builds and runs; ccache keeps them.
export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache CCACHE_BASEDIR="$root"
source scripts/xvfb.sh
start_xvfb_if_needed
trap stop_xvfb EXIT

run_build() {
    local name=$1; shift
    echo "=== $name ==="
    cmake -S . -B "build/$name" -G Ninja -DZORBLIT_WERROR=ON "$@" >/dev/null
    cmake --build "build/$name" -j "$jobs"
    ctest --test-dir "build/$name" --output-on-failure -j "$jobs" --timeout 600
}

run_build portable -DZORBLIT_FORM=portable -DCMAKE_BUILD_TYPE=Release
run_build packed -DZORBLIT_FORM=packed -DCMAKE_BUILD_TYPE=Release
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    run_build asan -DZORBLIT_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo

for extra in scripts/test.d/*.sh; do
    [ -e "$extra" ] || continue
    echo "=== $(basename "$extra" .sh) ==="
    bash "$extra"
done
echo "all test builds passed"
