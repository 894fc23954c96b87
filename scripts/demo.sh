#!/usr/bin/env bash
# Builds and runs zorblit-demo, installing what is missing first (Debian; as root
# or through sudo). With a display it opens the demo's window. Without one
# (DISPLAY unset) it runs every scene without a window and writes a contact sheet
# of them to build/demo/zorblit-demo-sheet.png. Arguments are passed to the demo
# (see examples/demo/main.cpp), which runs in build/demo.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/deps.sh
need_packages "${BUILD_PACKAGES[@]}" libpng-dev libjpeg62-turbo-dev

build=build/demo
cmake -S . -B "$build" -G Ninja -DZORBLIT_TESTS=OFF -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target zorblit-demo -j "$(nproc)"
cd "$build"
exec ./examples/demo/zorblit-demo "$@"
