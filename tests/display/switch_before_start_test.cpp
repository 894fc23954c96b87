// The full-screen switches before any initialisation leave everything alone.
#include <gtest/gtest.h>

#include "display/platform_fake.h"
#include "zorblit.h"

namespace zorblit::test {
namespace {

TEST(Switches, DoNothingBeforeTheSystemRuns) {
    FakePlatform fake;
    const GFXimage before = vscreen;
    SwitchFullScreen();
    SwitchWindowed();
    EXPECT_TRUE(fake.calls.empty() && !gfxFullScreen);
    EXPECT_TRUE(vscreen.data == before.data && vscreen.width == before.width && vscreen.height == before.height);
}

}  // namespace
}  // namespace zorblit::test
