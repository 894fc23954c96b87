// The bounds-checked cursor every reader builds on; the reader sweeps cover the rest.
#include "reader_test_support.h"

namespace zorblit::test {
namespace {

TEST(ByteCursor, FailedReadsMoveNothingAndSizesCannotOverflow) {
    const uint8_t bytes[7] = {};
    ByteCursor cursor(bytes, sizeof bytes);
    uint32_t word;
    ASSERT_TRUE(cursor.seek(4));
    EXPECT_FALSE(cursor.u32(word));
    EXPECT_FALSE(cursor.skip(SIZE_MAX));
    EXPECT_FALSE(cursor.seek(sizeof bytes + 1));
    EXPECT_EQ(cursor.position(), 4u);
    EXPECT_TRUE(hasItems(cursor, UINT64_MAX, 0));
    EXPECT_TRUE(hasItems(cursor, 1, 3));
    EXPECT_FALSE(hasItems(cursor, 2, 2));
    EXPECT_FALSE(hasItems(cursor, UINT64_MAX / 2 + 1, 2));  // 2^64 bytes: zero if multiplied out
}

}  // namespace
}  // namespace zorblit::test
