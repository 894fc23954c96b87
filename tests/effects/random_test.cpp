// The generator against values computed from the published splitmix64 and
// xoshiro128** definitions (splitmix64 from 0 starts 0xE220A8397B1DCDAF, whose
// halves are the first two state words here).
#include <gtest/gtest.h>

#include <vector>

#include "effects/random.h"

namespace zorblit {
namespace {

std::vector<uint32_t> firstOutputs(int32_t seed, size_t count) {
    RandomGenerator random{uint32_t(seed)};
    std::vector<uint32_t> out;
    for (size_t i = 0; i < count; ++i) out.push_back(random.next());
    return out;
}

TEST(Random, FirstOutputsOfThePublishedGenerators) {
    EXPECT_EQ(firstOutputs(0, 6),
              (std::vector<uint32_t>{0xdec9045d, 0x9a089d75, 0xab77d362, 0xc3e16405, 0x5c95a8da, 0x60dea056}));
    EXPECT_EQ(firstOutputs(12345, 3), (std::vector<uint32_t>{0x89f4befd, 0x94e95a78, 0x7a8293bc}));
    // A negative seed is taken as unsigned and widened with zeros.
    EXPECT_EQ(firstOutputs(-1, 3), (std::vector<uint32_t>{0x13bdbe29, 0x894d4f2d, 0xa2d85227}));
}

TEST(Random, DrawScalesAndRejects) {
    RandomGenerator small{7};
    std::vector<uint32_t> levels;
    for (int i = 0; i < 8; ++i) levels.push_back(small.draw(255));
    EXPECT_EQ(levels, (std::vector<uint32_t>{106, 92, 177, 213, 123, 61, 197, 18}));

    // With n just above 2^31 about half of all outputs are rejected, so these
    // values only come out when the threshold is exactly (2^32 - n) mod n.
    RandomGenerator large{7};
    std::vector<uint32_t> wide;
    for (int i = 0; i < 8; ++i) wide.push_back(large.draw(0x80000001u));
    EXPECT_EQ(wide, (std::vector<uint32_t>{900548384, 1496400421, 1794490270, 518404275, 1664062739, 817312590,
                                           2107573228, 283544471}));
}

}  // namespace
}  // namespace zorblit
