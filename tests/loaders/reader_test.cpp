// The byte cursor and the pending image every reader builds on.
#include "reader_test_support.h"

namespace zorblit::test {
namespace {

TEST(ByteCursor, ReadsLittleEndianAndNeverPastTheEnd) {
    const uint8_t bytes[] = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0xFF};
    ByteCursor cursor(bytes, sizeof bytes);
    uint8_t byte;
    uint16_t half;
    uint32_t word;
    int32_t negative;
    ASSERT_TRUE(cursor.u8(byte) && cursor.u16(half) && cursor.u32(word));
    EXPECT_EQ(byte, 0x01);
    EXPECT_EQ(half, 0x0302);
    EXPECT_EQ(word, 0xFF060504u);
    EXPECT_EQ(cursor.remaining(), 0u);
    EXPECT_FALSE(cursor.u8(byte));

    // A failed read leaves the position where it was.
    ASSERT_TRUE(cursor.seek(4));
    EXPECT_FALSE(cursor.u32(word));
    EXPECT_EQ(cursor.position(), 4u);
    EXPECT_FALSE(cursor.skip(SIZE_MAX));
    EXPECT_FALSE(cursor.seek(sizeof bytes + 1));
    ASSERT_TRUE(cursor.seek(3) && cursor.i32(negative));
    EXPECT_EQ(negative, int32_t(0xFF060504u));

    EXPECT_TRUE(hasItems(cursor, UINT64_MAX, 0));
    ASSERT_TRUE(cursor.seek(0));
    EXPECT_TRUE(hasItems(cursor, 3, 2));
    EXPECT_FALSE(hasItems(cursor, 4, 2));
    EXPECT_FALSE(hasItems(cursor, UINT64_MAX / 2 + 1, 2));
}

TEST(PendingImage, ReachesTheCallerOnlyWhenHandedOver) {
    GFXimage image = sentinelImage();
    {
        PendingImage abandoned(3, 2);
        abandoned.row(1)[2] = 7;
    }
    EXPECT_TRUE(isSentinel(image));
    PendingImage kept(3, 2);
    kept.row(1)[2] = 7;
    ASSERT_TRUE(kept.handOver(&image));
    EXPECT_EQ(image.width, 3u);
    EXPECT_EQ(image.data[5], 7u);
    FreeImage(&image);
}

}  // namespace
}  // namespace zorblit::test
