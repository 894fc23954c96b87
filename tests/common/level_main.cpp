// The test programs' main: `--kernel-level=plain|sse2|avx2|avx512` runs every test with
// the kernels forced to that level, and skips them all on a processor without it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "kernels/level.h"

namespace zorblit::test {
namespace {

std::string forcedLevelName;

struct ForcedKernelLevel : testing::Environment {
    explicit ForcedKernelLevel(kernels::Level level) : level(level) {}
    void SetUp() override {
        if (!kernels::forceLevel(level)) GTEST_SKIP() << "this processor has no " << kernels::levelName(level);
        // The unforced run already covers the processor's own level.
        if (level == kernels::detectedLevel()) GTEST_SKIP() << "the unforced run covers " << kernels::levelName(level);
        std::printf("Kernels forced to %s\n", kernels::levelName(level));
    }
    kernels::Level level;
};

}  // namespace

std::string outputFolder();  // declared for the readers' tests
std::string outputFolder() {
    const std::string folder = ZORBLIT_TEST_OUTPUT_DIR;
    return forcedLevelName.empty() ? folder : folder + "/kernels-" + forcedLevelName;
}

}  // namespace zorblit::test

int main(int argc, char **argv) {
    using namespace zorblit;
    testing::InitGoogleTest(&argc, argv);
    constexpr char kOption[] = "--kernel-level=";
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], kOption, sizeof kOption - 1) != 0) continue;
        const char *name = argv[i] + sizeof kOption - 1;
        const auto *end = std::end(kernels::kAllLevels);
        const auto *level = std::find_if(std::begin(kernels::kAllLevels), end,
                                         [&](kernels::Level l) { return std::strcmp(name, kernels::levelName(l)) == 0; });
        if (level == end) return std::fprintf(stderr, "unknown kernel level %s\n", name), 2;
        testing::AddGlobalTestEnvironment(new test::ForcedKernelLevel(*level));
        test::forcedLevelName = name;
    }
    return RUN_ALL_TESTS();
}
