// The test programs' main: `--kernel-level=plain|sse2|avx2|avx512` runs every test with
// the kernels forced to that level, and skips them all on a processor without it.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "kernels/level.h"

namespace {

using zorblit::kernels::Level;

std::string forcedLevelName;

class ForcedKernelLevel : public testing::Environment {
public:
    explicit ForcedKernelLevel(Level level) : level_(level) {}
    void SetUp() override {
        if (!zorblit::kernels::forceLevel(level_))
            GTEST_SKIP() << "this processor has no " << zorblit::kernels::levelName(level_);
        // The unforced run already covers the processor's own level.
        if (level_ == zorblit::kernels::detectedLevel())
            GTEST_SKIP() << "the unforced run covers " << zorblit::kernels::levelName(level_);
        std::printf("Kernels forced to %s\n", zorblit::kernels::levelName(level_));
    }

private:
    Level level_;
};

}  // namespace

namespace zorblit::test {
std::string outputFolder();  // declared for the readers' tests
}

std::string zorblit::test::outputFolder() {
    const std::string folder = ZORBLIT_TEST_OUTPUT_DIR;
    return forcedLevelName.empty() ? folder : folder + "/kernels-" + forcedLevelName;
}

int main(int argc, char **argv) {
    testing::InitGoogleTest(&argc, argv);
    constexpr char kOption[] = "--kernel-level=";
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], kOption, sizeof kOption - 1) != 0) continue;
        const char *name = argv[i] + sizeof kOption - 1;
        bool known = false;
        for (const Level level : zorblit::kernels::kAllLevels)
            if (std::strcmp(name, zorblit::kernels::levelName(level)) == 0) {
                testing::AddGlobalTestEnvironment(new ForcedKernelLevel(level));
                forcedLevelName = name;
                known = true;
            }
        if (!known) {
            std::fprintf(stderr, "unknown kernel level %s\n", name);
            return 2;
        }
    }
    return RUN_ALL_TESTS();
}
