# Part of scripts/test.sh: makes the Debian package with CPack, installs it
# into the system, builds examples/hello.c against it with pkg-config and the
# consumer with find_package (then runs the consumer), and removes the package
# again unless it was installed before.
set -euo pipefail
source scripts/deps.sh
need_packages "${PACKAGE_PACKAGES[@]}"
build=${ZORBLIT_PACKAGE_BUILD:-build/packed}
[ -f "$build/build.ninja" ] || cmake -S . -B "$build" -G Ninja -DZORBLIT_WERROR=ON >/dev/null
cmake --build "$build" --target zorblit zorblit_static >/dev/null
work=$(mktemp -d)
(cd "$build" && cpack -G DEB -B "$work" >/dev/null)
deb=$(echo "$work"/libzorblit_*.deb)
echo "made $(basename "$deb")"
contents=$(dpkg-deb -c "$deb")
for want in /usr/include/zorblit.h /usr/lib/libzorblit.a /usr/lib/libzorblit.so.4.0.8e /usr/lib/libzorblit.so.4 \
            /usr/lib/pkgconfig/zorblit.pc /usr/lib/cmake/zorblit/zorblitConfig.cmake \
            /usr/lib/cmake/zorblit/zorblitConfigVersion.cmake /usr/lib/cmake/zorblit/zorblitTargets.cmake; do
    grep -q " \.$want\( ->.*\)\?$" <<<"$contents" || { echo "the package lacks $want" >&2; exit 1; }
done

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
# One test run at a time owns the installed package; apt waits for dpkg's lock.
exec 9>"${TMPDIR:-/tmp}/libzorblit-package-test.lock"
flock 9
installed_before=false
dpkg-query -W -f='${Status}' libzorblit 2>/dev/null | grep -q "install ok installed" && installed_before=true
cleanup() {
    $installed_before || $sudo apt-get purge -y -qq -o DPkg::Lock::Timeout=600 libzorblit >/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq -o DPkg::Lock::Timeout=600 "$deb" >/dev/null

[ "$(pkg-config --modversion zorblit)" = 4.0.8e ] || { echo "zorblit.pc: wrong version" >&2; exit 1; }
readelf -d /usr/lib/libzorblit.so | grep -q 'SONAME.*\[libzorblit\.so\.4\]' || { echo "wrong SONAME" >&2; exit 1; }
# hello opens a window and waits for Escape: built and linked, not run.
cc -std=c99 -Wall -Werror examples/hello.c -o "$work/hello" $(pkg-config --cflags --libs zorblit)
cmake -S tests/consumer -B "$work/consumer" -G Ninja >/dev/null
cmake --build "$work/consumer" >/dev/null
"$work/consumer/consumer_shared"
"$work/consumer/consumer_static"
