# Part of scripts/test.sh: the library in both forms for 64-bit Arm and 32-bit
# x86, built with Debian's cross compilers, and every test that needs no real
# window run under qemu-user (the display tests on the fake platform).
# Release builds only: the sanitizers do not run under the emulator.
set -euo pipefail
source scripts/deps.sh
need_architectures "${CROSS_ARCHITECTURES[@]}"
need_packages "${CROSS_PACKAGES[@]}"
jobs=$(nproc)

for arch in "${CROSS_ARCHITECTURES[@]}"; do
    for form in portable packed; do
        build=build/cross-$arch-$form
        echo "--- $arch, $form form ---"
        # Test discovery runs the programs too, so it waits for ctest.
        cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchain-$arch.cmake" \
            -DZORBLIT_WERROR=ON -DZORBLIT_FORM="$form" -DCMAKE_BUILD_TYPE=Release -DZORBLIT_EXAMPLES=OFF \
            -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST >/dev/null
        SECONDS=0
        cmake --build "$build" -j "$jobs"
        echo "built in ${SECONDS}s"
        SECONDS=0
        # Label display: the programs that need a real X window.
        ctest --test-dir "$build" -LE display --output-on-failure -j "$jobs" --timeout 900
        echo "tests ran in ${SECONDS}s"
    done
done
