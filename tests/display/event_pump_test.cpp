// The event pump on the fake platform: key translation, modifiers, Caps Lock,
// the keyboard delay, the wheel, buttons, the pointer and what is handed back.
#include "display_fixture.h"

namespace zorblit::test {
namespace {

class EventPump : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        InitGFXsystem(640, 480, false);
    }
    void key(EventKind kind, uint32_t code) {
        fake.queueKey(kind, code);
        UpdateInternals();
    }
};

TEST_F(EventPump, KeyDownAndUpFollowTheTable) {
    key(EventKind::KeyDown, 0);
    EXPECT_EQ(keyboard[1], 1);
    key(EventKind::KeyUp, 0);
    EXPECT_EQ(keyboard[1], 0);
    key(EventKind::KeyDown, 122);  // F1
    EXPECT_EQ(keyboard[37], 1);
    key(EventKind::KeyDown, 103);  // F11 has no key number
    key(EventKind::KeyDown, 200);
    EXPECT_EQ(keyboard[0], 1);
    EXPECT_EQ(keyboard[47], 1);
    key(EventKind::KeyDown, 256 + 12);  // codes from 256 up are ignored
    EXPECT_EQ(keyboard[12], 0);
}

TEST_F(EventPump, YAndZFollowTheLayout) {
    const struct {
        int32_t layout;
        uint8_t z, y;
    } cases[] = {{0, 7, 16}, {1, 16, 7}, {2, 0, 0}};
    for (const auto &c : cases) {
        std::memset(keyboard, 0, sizeof keyboard);
        keyboardlayout = c.layout;
        key(EventKind::KeyDown, 6);
        EXPECT_EQ(keyboard[c.z], 1) << "layout " << c.layout;
        std::memset(keyboard, 0, sizeof keyboard);
        key(EventKind::KeyDown, 16);
        EXPECT_EQ(keyboard[c.y], 1) << "layout " << c.layout;
    }
}

TEST_F(EventPump, ModifiersToggleAndCapsLockShowsForOnePoll) {
    key(EventKind::FlagsChanged, 56);
    EXPECT_EQ(keyboard[61], 1);
    key(EventKind::FlagsChanged, 56);
    EXPECT_EQ(keyboard[61], 0);

    key(EventKind::FlagsChanged, 57);
    EXPECT_EQ(keyboard[54], 1);
    UpdateInternals();
    EXPECT_EQ(keyboard[54], 0);

    // Code 255 releases Caps Lock and swallows the next Caps Lock event.
    key(EventKind::FlagsChanged, 255);
    key(EventKind::FlagsChanged, 57);
    EXPECT_EQ(keyboard[54], 0);
    key(EventKind::FlagsChanged, 57);
    EXPECT_EQ(keyboard[54], 1);
}

TEST_F(EventPump, KeyboardDelayDropsKeyEvents) {
    keyboard[5] = 1;
    delayKeyboard();
    EXPECT_EQ(keyboard[5], 0);
    EXPECT_FALSE(allowKeyboardHit());
    key(EventKind::KeyDown, 0);
    key(EventKind::FlagsChanged, 56);
    key(EventKind::FlagsChanged, 57);
    EXPECT_EQ(keyboard[1] + keyboard[61] + keyboard[54], 0);
    fakeNow += 256;
    EXPECT_FALSE(allowKeyboardHit());
    fakeNow += 1;
    EXPECT_TRUE(allowKeyboardHit());
    key(EventKind::KeyDown, 0);
    EXPECT_EQ(keyboard[1], 1);
}

TEST_F(EventPump, WheelRoundsToEvenAndLastsOnePoll) {
    const std::pair<double, int32_t> cases[] = {{2.5, 2}, {3.5, 4}, {-2.5, -2}, {0.4, 0}, {-1.6, -2}};
    for (const auto &[delta, expected] : cases) {
        fake.queueEvent({EventKind::ScrollWheel, 0, delta, WindowAction::None});
        UpdateInternals();
        EXPECT_EQ(mouseWheel, expected) << delta;
    }
    UpdateInternals();
    EXPECT_EQ(mouseWheel, 0);
}

TEST_F(EventPump, ButtonsTakeTheLastEventOfAPoll) {
    fake.queueEvent({EventKind::LeftMouseDown, 0, 0, WindowAction::None});
    fake.queueEvent({EventKind::RightMouseDown, 0, 0, WindowAction::None});
    UpdateInternals();
    EXPECT_TRUE(mouseL && mouseR);
    fake.queueEvent({EventKind::RightMouseUp, 0, 0, WindowAction::None});
    fake.queueEvent({EventKind::LeftMouseUp, 0, 0, WindowAction::None});
    fake.queueEvent({EventKind::LeftMouseDown, 0, 0, WindowAction::None});
    fake.queueEvent({EventKind::LeftMouseUp, 0, 0, WindowAction::None});
    UpdateInternals();
    EXPECT_FALSE(mouseL || mouseR);
}

TEST_F(EventPump, KeyEventsAreNeverHandedOn) {
    fake.queueKey(EventKind::KeyDown, 12);
    fake.queueKey(EventKind::KeyUp, 12);
    fake.queueKey(EventKind::FlagsChanged, 55);
    fake.queueEvent({EventKind::ScrollWheel, 0, 1, WindowAction::None});
    fake.queueEvent({EventKind::LeftMouseDown, 0, 0, WindowAction::None});
    fake.queueEvent({EventKind::Other, 0, 0, WindowAction::None});
    UpdateInternals();
    ASSERT_EQ(fake.sentEvents.size(), 4u);
    EXPECT_EQ(fake.sentEvents[0].kind, EventKind::FlagsChanged);
    EXPECT_EQ(fake.sentEvents[3].kind, EventKind::Other);
    EXPECT_FALSE(gfxDone);
}

// The fake puts a windowed content area at (100, 50).
TEST_F(EventPump, PointerGivesThePixelUnderItWindowed) {
    const struct {
        double x, y;
        int32_t mouseX, mouseY;
    } cases[] = {{100, 50, 0, 0}, {739, 529, 639, 479}, {100, 529, 0, 479}, {99.5, 49, -1, -1}, {900, 600, 800, 550}};
    for (const auto &c : cases) {
        fake.pointer = {c.x, c.y};
        fake.queueEvent({});
        UpdateInternals();
        EXPECT_EQ(mouseX, c.mouseX) << c.x << "," << c.y;
        EXPECT_EQ(mouseY, c.mouseY) << c.x << "," << c.y;
    }
}

TEST_F(EventPump, PointerIsScaledInFullScreen) {
    FinishGFXsystem();
    InitGFXsystem(320, 200, true);  // over the fake's 1280 x 1024 desktop
    const struct {
        double x, y;
        int32_t mouseX, mouseY;
    } cases[] = {{0, 0, 0, 0}, {1279, 1023, 319, 199}, {4, 5, 1, 0}, {3, 6, 0, 1}, {-1, 1024, -1, 200}};
    for (const auto &c : cases) {
        fake.pointer = {c.x, c.y};
        fake.queueEvent({});
        UpdateInternals();
        EXPECT_EQ(mouseX, c.mouseX) << c.x << "," << c.y;
        EXPECT_EQ(mouseY, c.mouseY) << c.x << "," << c.y;
    }
}

TEST_F(EventPump, PointerStaysWithoutEvents) {
    fake.pointer = {110, 60};
    fake.queueEvent({});
    UpdateInternals();
    fake.pointer = {200, 200};
    UpdateInternals();
    EXPECT_EQ(mouseX, 10);
    EXPECT_EQ(mouseY, 10);
}

}  // namespace
}  // namespace zorblit::test
