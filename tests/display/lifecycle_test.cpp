// Initialisation, presentation and shutdown in every mode, on the fake platform.
#include <cstdio>

#include "display_fixture.h"
#include "timing/fps.h"

namespace zorblit::test {
namespace {

using Calls = std::vector<std::string>;

struct LoadTimeGlobals {
    int32_t mode = gfxDeviceMode;
    bool fullScreen = gfxFullScreen, done = gfxDone, center = gfxCenterWindow;
    float pixelX = gfxPixelSizeX, pixelY = gfxPixelSizeY;
    uint32_t realWidth = gfxRealScreenWidth, realHeight = gfxRealScreenHeight;
};
// Read before main, before any test initialises anything.
const LoadTimeGlobals atLoad;

TEST(DisplayGlobals, LoadTimeDefaults) {
    EXPECT_EQ(atLoad.mode, 0);
    EXPECT_FALSE(atLoad.fullScreen);
    EXPECT_FALSE(atLoad.done);
    EXPECT_TRUE(atLoad.center);
    EXPECT_EQ(atLoad.pixelX, 1.0f);
    EXPECT_EQ(atLoad.pixelY, 1.0f);
    EXPECT_EQ(atLoad.realWidth, 0u);
    EXPECT_EQ(atLoad.realHeight, 0u);
}

using Lifecycle = DisplayTest;

TEST_F(Lifecycle, ImageViewWindowed) {
    mouseL = mouseR = true;
    gfxDone = true;
    InitGFXsystem(640, 480, false);
    EXPECT_EQ(gfxDeviceMode, 1);
    ASSERT_NE(vscreen.data, nullptr);
    EXPECT_EQ(vscreen.width, 640u);
    EXPECT_EQ(vscreen.height, 480u);
    EXPECT_EQ((std::vector<int32_t>{clipX1, clipY1, clipX2, clipY2}), (std::vector<int32_t>{0, 0, 640, 480}));
    EXPECT_EQ(gfxRealScreenWidth, 640u);
    EXPECT_EQ(gfxRealScreenHeight, 480u);
    EXPECT_FALSE(gfxDone || gfxFullScreen || mouseL || mouseR);
    EXPECT_EQ(frameTimer().frames, 1u);
    EXPECT_EQ(fake.lastRequest.caption, "zorblit 4.0.8e output window");
    EXPECT_EQ(fake.imagePixels, vscreen.data);
    EXPECT_EQ(takeCalls(), (Calls{"measureTitleBarHeight", "createWindow 640x480", "installImageView 640x480 -> 640x480",
                                  "activateApplication", "showWindow", "makeKeyWindow", "centerWindow",
                                  "activateApplication", "makeKeyWindow", "centerWindow"}));

    // FlipScreen only marks the view; the pump redraws it.
    FlipScreen();
    EXPECT_EQ(fake.imageRedraws, 0);
    EXPECT_EQ(frameTimer().frames, 2u);
    UpdateInternals();
    UpdateInternals();
    EXPECT_EQ(fake.imageRedraws, 1);
    // So does the window system when the window was uncovered.
    fake.queueEvent({EventKind::Other, 0, 0, WindowAction::Expose});
    UpdateInternals();
    EXPECT_EQ(fake.imageRedraws, 2);

    FinishGFXsystem();
    EXPECT_EQ(takeCalls(), (Calls{"closeWindow", "releaseWindow", "releaseImageView"}));
    EXPECT_EQ(vscreen.data, nullptr);
    EXPECT_EQ(gfxDeviceMode, 1);
}

TEST_F(Lifecycle, ImageViewFullScreenCoversTheDesktop) {
    gfxDeviceMode = 1;
    InitGFXsystem(320, 200, true);
    EXPECT_TRUE(gfxFullScreen);
    EXPECT_EQ(takeCalls(), (Calls{"createWindow 1280x1024 full", "installImageView 320x200 -> 1280x1024",
                                  "activateApplication", "showWindow", "makeKeyWindow", "activateApplication",
                                  "makeKeyWindow"}));
}

TEST_F(Lifecycle, OpenGLPixelModeSetsUpZoomAndCopiesEachFrame) {
    gfxDeviceMode = 3;
    fake.titleBarHeight = 20;
    InitGFXsystem(640, 480, false);
    EXPECT_EQ(gfxPixelSizeX, 1.0f);
    EXPECT_EQ(gfxPixelSizeY, float(460.0 / 480.0));
    const Calls calls = takeCalls();
    const Calls head(calls.begin(), calls.begin() + 3);
    EXPECT_EQ(head, (Calls{"measureTitleBarHeight", "createWindow 640x460 gl", "installGLView"}));
    const Calls tail(calls.end() - 10, calls.end());
    EXPECT_EQ(tail, (Calls{"gl ClearColor 0 0 0 1", "gl Clear 16384", "gl MatrixMode 5889", "gl LoadIdentity",
                           "gl Viewport 0 0 640 460", "gl Ortho 0 639 0 479 -1 1", "gl RasterPos 0 479",
                           "gl MatrixMode 5888", "gl LoadIdentity", "gl PixelZoom 1 -0.958333"}));

    FlipScreen();
    gfxUsingThreads = true;
    FlipScreen();
    EXPECT_EQ(takeCalls(), (Calls{"gl DrawPixels 640 480 32993 5121", "swapGLBuffers", "makeGLCurrent",
                                  "gl DrawPixels 640 480 32993 5121", "swapGLBuffers"}));
    FinishGFXsystem();
    EXPECT_EQ(takeCalls(), (Calls{"releaseGLView", "closeWindow", "releaseWindow"}));
}

TEST_F(Lifecycle, PixelSizeOnADoubleDensityScreen) {
    gfxDeviceMode = 3;
    fake.scale = 2;
    InitGFXsystem(640, 480, false);
    EXPECT_EQ(gfxPixelSizeX, 1.0f);
    EXPECT_EQ(gfxPixelSizeY, 1.0f);
}

TEST_F(Lifecycle, HostOpenGLModeHasNoPixelsAndOnlySwaps) {
    uint32_t hostPixel = 0;
    vscreen.data = &hostPixel;
    openGLcontext(800, 600, false);
    EXPECT_EQ(gfxDeviceMode, 6);
    EXPECT_EQ(vscreen.width, 800u);
    EXPECT_EQ(vscreen.height, 600u);
    EXPECT_EQ(vscreen.data, &hostPixel);
    EXPECT_EQ(fake.count("gl "), 0);
    fake.calls.clear();
    FlipScreen();
    EXPECT_EQ(takeCalls(), (Calls{"swapGLBuffers"}));
    FinishGFXsystem();
    EXPECT_EQ(vscreen.data, &hostPixel);
    vscreen.data = nullptr;
}

TEST_F(Lifecycle, ASecondInitialisationReplacesTheRunningSystem) {
    InitGFXsystem(64, 48, false);
    InitGFXsystem(32, 16, false);
    EXPECT_EQ(fake.count("createWindow"), 2);
    EXPECT_EQ(fake.count("releaseWindow"), 1);
    EXPECT_TRUE(fake.windowExists);
    // The host OpenGL mode starts without the pixels of the system it replaced.
    openGLcontext(32, 16, false);
    EXPECT_EQ(vscreen.data, nullptr);
}

TEST_F(Lifecycle, ShutdownFreesOnlyPixelsItAllocated) {
    InitGFXsystem(64, 48, false);
    gfxDeviceMode = 6;
    FinishGFXsystem();
    EXPECT_EQ(vscreen.data, nullptr);

    uint32_t hostPixel = 0;
    vscreen.data = &hostPixel;
    openGLcontext(64, 48, false);
    gfxDeviceMode = 1;
    FinishGFXsystem();
    EXPECT_EQ(vscreen.data, &hostPixel);
    vscreen.data = nullptr;
}

TEST_F(Lifecycle, WindowlessScaleModeOpensNothing) {
    gfxDeviceMode = 3;
    InitGFXsystemScale(320, 200, 640, 400, false);
    EXPECT_EQ(gfxDeviceMode, 7);
    EXPECT_EQ(vscreen.width, 320u);
    EXPECT_NE(vscreen.data, nullptr);
    EXPECT_EQ(gfxRealScreenWidth, 640u);
    EXPECT_EQ(gfxRealScreenHeight, 400u);
    FlipScreen();
    UpdateGFXsystem();
    EXPECT_EQ(frameTimer().frames, 3u);
    FinishGFXsystem();
    EXPECT_EQ(takeCalls(), (Calls{"closeWindow", "releaseWindow"}));
    EXPECT_EQ(vscreen.data, nullptr);
}

TEST_F(Lifecycle, TextureViewRedrawsAtMostSixtyTimesASecond) {
    gfxDeviceMode = 10;
    InitGFXsystem(640, 480, false);
    EXPECT_EQ(fake.count("installTextureView 640x480"), 1);
    EXPECT_EQ(fake.textureRedraws, 1);
    for (int ms = 0; ms < 1000; ++ms) {
        ++fakeNow;
        UpdateGFXsystem();
    }
    EXPECT_EQ(fake.textureRedraws, 61);
    FinishGFXsystem();
    EXPECT_EQ(fake.count("releaseTextureView"), 1);
}

TEST_F(Lifecycle, UnknownModeOpensAWindowWithoutContent) {
    gfxDeviceMode = 5;
    InitGFXsystem(300, 200, false);
    EXPECT_EQ(fake.count("createWindow 300x200"), 1);
    fake.calls.clear();
    UpdateGFXsystem();
    EXPECT_EQ(takeCalls(), Calls{});
    EXPECT_EQ(fake.imageRedraws + fake.textureRedraws + fake.swaps, 0);
}

TEST_F(Lifecycle, CloseButtonAndQuitSetDone) {
    InitGFXsystem(64, 48, false);
    EXPECT_TRUE(fake.windowVisible);
    fake.queueEvent({EventKind::Other, 0, 0, WindowAction::CloseRequest});
    UpdateInternals();
    EXPECT_TRUE(gfxDone);
    EXPECT_FALSE(fake.windowVisible);
    EXPECT_TRUE(fake.windowExists);
    FinishGFXsystem();

    InitGFXsystem(64, 48, false);
    FlipScreen();
    EXPECT_FALSE(gfxDone);  // only the pump takes the request in
    fake.queueEvent({EventKind::Other, 0, 0, WindowAction::Quit});
    FlipScreen();
    EXPECT_FALSE(gfxDone);
    UpdateInternals();
    EXPECT_TRUE(gfxDone);
}

TEST_F(Lifecycle, ScreenChangeRestoresTheWindowSize) {
    InitGFXsystem(640, 480, false);
    fake.queueEvent({EventKind::Other, 0, 0, WindowAction::ScreenChanged});
    UpdateInternals();
    EXPECT_EQ(fake.count("setWindowFrame 0 0 640 480"), 1);
}

bool printingBox(const char *, const char *body) {
    std::fprintf(stderr, "box: %s\n", body);
    return true;
}

TEST_F(Lifecycle, SetupFailuresAreFatalWithTheirTexts) {
    setMessageBoxHandler(printingBox);
    gfxDeviceMode = 10;
    fake.textureStatus = {false, true, {}};
    EXPECT_EXIT(InitGFXsystem(64, 48, false), ::testing::ExitedWithCode(1), "box: No Metal device");
    fake.textureStatus = {false, false, "texture too large"};
    EXPECT_EXIT(InitGFXsystem(64, 48, false), ::testing::ExitedWithCode(1), "box: texture too large");
    gfxDeviceMode = 3;
    fake.failGLView = true;
    EXPECT_EXIT(InitGFXsystem(64, 48, false), ::testing::ExitedWithCode(1), "box: invalid NSOpenGLContext");
    fake.failWindow = true;
    EXPECT_EXIT(InitGFXsystem(64, 48, false), ::testing::ExitedWithCode(1),
                "box: No compatible NSOpenGLPixelFormat found");
}

}  // namespace
}  // namespace zorblit::test
