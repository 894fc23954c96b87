# Installs the packed build into a temporary prefix and builds a small consumer
# against it both ways, with pkg-config and with find_package, then runs it.
set -euo pipefail
prefix=$(mktemp -d)
work=$(mktemp -d)
trap 'rm -rf "$prefix" "$work"' EXIT
cmake --install "${ZORBLIT_INSTALL_BUILD:-build/packed}" --prefix "$prefix" >/dev/null
libdir=$(dirname "$(find "$prefix" -name 'libzorblit.so' | head -n 1)")

export PKG_CONFIG_PATH="$libdir/pkgconfig"
cc -std=c99 -Wall -Werror tests/consumer/consumer.c -o "$work/consumer_pc" $(pkg-config --cflags --libs zorblit)
LD_LIBRARY_PATH="$libdir" "$work/consumer_pc"

cmake -S tests/consumer -B "$work/cmake" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$work/cmake" >/dev/null
LD_LIBRARY_PATH="$libdir" "$work/cmake/consumer_shared"
"$work/cmake/consumer_static"
python3 examples/ctypes_pixels.py "$libdir/libzorblit.so"
