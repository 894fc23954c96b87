// Diagnostics, whole-file reading and the small numeric helpers.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <fstream>
#include <numbers>
#include <sstream>
#include <tuple>

#include "support/diagnostics.h"

namespace zorblit {
namespace {

std::string readLog() {
    std::stringstream text;
    text << std::ifstream(logFilePath()).rdbuf();
    return text.str();
}

std::vector<std::string> shownBoxes;
bool recordBox(const char *title, const char *body) {
    shownBoxes.push_back(std::string(title) + "|" + body);
    return true;
}

TEST(Diagnostics, LogStartsEmptyAndGetsOneLinePerMessage) {
    // Loading the library removed any old log, and nothing has logged yet.
    EXPECT_FALSE(FileExists(logFilePath().c_str()));
    const auto previous = setMessageBoxHandler(recordBox);
    const std::string longText(300, 'x');
    ReportError(longText.c_str());
    setMessageBoxHandler(previous);
    ASSERT_EQ(shownBoxes.size(), 1u);
    EXPECT_EQ(shownBoxes[0], "Message|" + std::string(255, 'x'));
    EXPECT_EQ(readLog(), "MESSAGE: " + longText + "\n" + longText + "\n");
    std::remove(logFilePath().c_str());
}

TEST(Diagnostics, MessageBoxTextIsCutOnACharacterBoundary) {
    const std::string umlauts = std::string(254, 'a') + "\xC3\xA4\xC3\xB6";  // 254 + two 2-byte characters
    EXPECT_EQ(cutUtf8(umlauts, 255), std::string(254, 'a'));
    EXPECT_EQ(cutUtf8(umlauts, 256), std::string(254, 'a') + "\xC3\xA4");
    EXPECT_EQ(cutUtf8("short", 255), "short");
}

// Without a message box (none installed, or one that cannot show) the text also
// goes to standard error; the fatal path then exits with 1. The log gets it either way.
TEST(Diagnostics, MessagesNobodySeesGoToStandardError) {
    std::remove(logFilePath().c_str());
    for (const MessageBoxHandler handler : {MessageBoxHandler(nullptr), +[](const char *, const char *) { return false; }}) {
        const auto previous = setMessageBoxHandler(handler);
        ::testing::internal::CaptureStderr();
        ReportError("no box for this");
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "no box for this\n");
        EXPECT_EXIT(FatalError("Unable to AllocImage!"), ::testing::ExitedWithCode(1), "^Unable to AllocImage!\n$");
        setMessageBoxHandler(previous);
    }
    EXPECT_EQ(readLog(), "MESSAGE: no box for this\nno box for this\nMESSAGE: Unable to AllocImage!\nUnable to AllocImage!\n"
                         "MESSAGE: no box for this\nno box for this\nMESSAGE: Unable to AllocImage!\nUnable to AllocImage!\n");
    std::remove(logFilePath().c_str());
}

TEST(Files, LoadFileToMemory) {
    uint8_t *buffer = reinterpret_cast<uint8_t *>(0x1);
    uint32_t size = 77;
    EXPECT_FALSE(LoadFileToMemory("/nonexistent/zorblit", &buffer, &size));
    EXPECT_TRUE(buffer == reinterpret_cast<uint8_t *>(0x1) && size == 77);

    const std::string path = "/tmp/zorblit-test-" + std::to_string(getpid());
    for (const std::string contents : {"", "hello"}) {
        std::ofstream(path) << contents;
        ASSERT_TRUE(LoadFileToMemory(path.c_str(), &buffer, &size));
        EXPECT_EQ(std::string(reinterpret_cast<char *>(buffer), size), contents);
        free(buffer);
    }
    // A directory exists but is no file; neither is readable as one.
    EXPECT_FALSE(FileExists("/tmp"));
    EXPECT_FALSE(LoadFileToMemory("/tmp", &buffer, &size));
    chmod(path.c_str(), 0);
    EXPECT_TRUE(geteuid() == 0 || !LoadFileToMemory(path.c_str(), &buffer, &size));  // root reads every file
    std::remove(path.c_str());
}

TEST(Numeric, PolarAngleRange) {
    constexpr float pi = std::numbers::pi_v<float>;
    for (const auto &[y, x, angle] : {std::tuple{1.f, 0.f, pi / 2}, {-1.f, 0.f, -pi / 2}, {0.f, -1.f, pi},
                                      {-1.f, -1.f, 5 * pi / 4}, {0.f, 0.f, pi / 2}, {1.f, 1.f, pi / 4}})
        EXPECT_FLOAT_EQ(PolarAngle(y, x), angle) << y << "," << x;
}

}  // namespace
}  // namespace zorblit
