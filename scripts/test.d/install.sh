# The README's "Install and use", as written: installs the packed build into a
# temporary prefix, builds examples/hello.c with pkg-config and a small consumer
# with find_package against it, imports the Python module from the prefix and
# runs its tests and hello.py. Then a configure without GoogleTest must succeed.
set -euo pipefail
prefix=$(mktemp -d)
work=$(mktemp -d)
trap 'rm -rf "$prefix" "$work"' EXIT
cmake --install "${ZORBLIT_INSTALL_BUILD:-build/packed}" --prefix "$prefix" >/dev/null
libdir=$(dirname "$(find "$prefix" -name 'libzorblit.so' | head -n 1)")
# The installed library exports the header's C names and nothing of its C++ inside.
if nm -D --defined-only "$libdir/libzorblit.so" | grep ' _Z'; then
    echo "libzorblit.so exports C++ symbols"; exit 1
fi

export PKG_CONFIG_PATH="$libdir/pkgconfig"
cc -std=c99 -Wall -Werror examples/hello.c -o "$work/hello" $(pkg-config --cflags --libs zorblit)
cc -std=c99 -Wall -Werror tests/consumer/consumer.c -o "$work/consumer_pc" \
    $(pkg-config --cflags --libs zorblit) -Wl,-rpath,"$libdir"
"$work/consumer_pc"

cmake -S tests/consumer -B "$work/cmake" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$work/cmake" >/dev/null
LD_LIBRARY_PATH="$libdir" "$work/cmake/consumer_shared"
"$work/cmake/consumer_static"

# Debian's interpreter, the one python3-pytest and python3-numpy belong to.
python=$(command -v /usr/bin/python3 || command -v python3)
export PYTHONPATH="$libdir/python3/site-packages"
(cd "$work" && "$python" -c 'import zorblit; print("python module:", zorblit.ZorblitVersion(), zorblit.library_path)')
"$python" -m pytest -q -p no:cacheprovider python/tests
"$python" examples/hello.py 10
"$python" examples/ctypes_pixels.py "$libdir/libzorblit.so"

# Without GoogleTest the configure says so and goes on.
cmake -S . -B "$work/no-gtest" -G Ninja -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON >"$work/no-gtest.log" 2>&1
grep -q "tests are not built" "$work/no-gtest.log"
echo "install: ok"
