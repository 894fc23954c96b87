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

# What every build of the library needs.
BUILD_PACKAGES=(build-essential cmake ninja-build pkg-config libsdl2-dev)
# What the tests need besides: test framework, oracles, the X server and GL.
TEST_PACKAGES=(libgtest-dev libpng-dev libjpeg62-turbo-dev zlib1g-dev xvfb xauth libgl1-mesa-dri
               libglx-mesa0 libxtst-dev clang libfuzzer-14-dev libclang-rt-14-dev python3 libgif-dev python3-pil
               imagemagick python3-pytest python3-numpy)
