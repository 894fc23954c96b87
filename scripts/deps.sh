# Installs the Debian packages a task needs, only those that are missing.
# Usage: source scripts/deps.sh; need_packages pkg...
need_packages() {
    local missing=()
    local p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Lets dpkg install packages built for other processors (multiarch).
# Usage: need_architectures arch...; need_packages then updates the lists.
need_architectures() {
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    local a
    for a in "$@"; do
        dpkg --print-foreign-architectures | grep -qx "$a" || $sudo dpkg --add-architecture "$a"
    done
}

# What every build of the library needs.
BUILD_PACKAGES=(build-essential cmake ninja-build pkg-config libsdl2-dev)
# What the tests need besides: test framework, oracles, the X server and GL.
TEST_PACKAGES=(libgtest-dev libpng-dev libjpeg62-turbo-dev zlib1g-dev xvfb xauth libgl1-mesa-dri
               libglx-mesa0 libxtst-dev clang libfuzzer-14-dev libclang-rt-14-dev python3 libgif-dev python3-pil
               imagemagick python3-pytest python3-numpy ccache)
# The builds for other processors: Debian's cross compilers, qemu-user, and
# what the library and its tests link, for each processor (multiarch).
CROSS_ARCHITECTURES=(arm64 i386)
CROSS_PACKAGES=(g++-aarch64-linux-gnu g++-i686-linux-gnu qemu-user)
for _arch in "${CROSS_ARCHITECTURES[@]}"; do
    CROSS_PACKAGES+=("libc6:$_arch" "libstdc++6:$_arch" "libsdl2-dev:$_arch" "libgtest-dev:$_arch"
                     "libpng-dev:$_arch" "libjpeg62-turbo-dev:$_arch" "zlib1g-dev:$_arch" "libxtst-dev:$_arch"
                     "libgif-dev:$_arch")
done
unset _arch
# Making and checking the Debian package.
PACKAGE_PACKAGES=(dpkg-dev file)
