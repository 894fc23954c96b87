# Part of scripts/test.sh: the demo's windowless run (no DISPLAY) goes through
# every scene and writes its contact sheet as a PNG.
set -euo pipefail
build=${ZORBLIT_DEMO_BUILD:-build/packed}
[ -f "$build/build.ninja" ] || cmake -S . -B "$build" -G Ninja -DZORBLIT_WERROR=ON >/dev/null
cmake --build "$build" --target zorblit-demo >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
output=$(env -u DISPLAY -u WAYLAND_DISPLAY "$build/examples/demo/zorblit-demo" --frames 3 --sheet "$work/sheet.png")
echo "$output"
grep -q "contact sheet written to $work/sheet.png" <<<"$output"
[ "$(head -c 8 "$work/sheet.png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || {
    echo "the contact sheet is not a PNG file" >&2
    exit 1
}
