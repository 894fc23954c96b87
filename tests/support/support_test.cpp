// Diagnostics, whole-file reading and the small numeric helpers.
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <numbers>
#include <sstream>
#include <tuple>

#include "support/diagnostics.h"

namespace zorblit {
namespace {

std::string takeLog() {
    std::stringstream text;
    text << std::ifstream(logFilePath()).rdbuf();
    std::remove(logFilePath().c_str());
    return text.str();
}

// Loading the library removed any old log. A message box gets at most 255 bytes,
// cut on a character boundary; the log gets the whole text.
TEST(Diagnostics, MessageBoxAndLog) {
    EXPECT_FALSE(FileExists(logFilePath().c_str()));
    static std::string shown;
    const auto previous = setMessageBoxHandler([](const char *title, const char *text) { return shown = std::string(title) + "|" + text, true; });
    const std::string text = std::string(254, 'x') + "\xC3\xA4\xC3\xB6";  // 254 + two 2-byte characters
    ReportError(text.c_str());
    setMessageBoxHandler(previous);
    EXPECT_EQ(shown, "Message|" + std::string(254, 'x'));
    EXPECT_EQ(cutUtf8(text, 256), std::string(254, 'x') + "\xC3\xA4");
    EXPECT_EQ(takeLog(), "MESSAGE: " + text + "\n" + text + "\n");
}

// Without a message box (none installed, or one that cannot show) the text also
// goes to standard error; the fatal path then exits with 1.
TEST(Diagnostics, MessagesNobodySeesGoToStandardError) {
    for (const MessageBoxHandler handler : {MessageBoxHandler(nullptr), +[](const char *, const char *) { return false; }}) {
        const auto previous = setMessageBoxHandler(handler);
        ::testing::internal::CaptureStderr();
        ReportError("no box for this");
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "no box for this\n");
        EXPECT_EXIT(FatalError("Unable to AllocImage!"), ::testing::ExitedWithCode(1), "^Unable to AllocImage!\n$");
        setMessageBoxHandler(previous);
    }
    EXPECT_EQ(takeLog().substr(0, 42), "MESSAGE: no box for this\nno box for this\nM");
}

// An empty file is read, as nothing; a directory exists but is no file. (Every
// reader test reads whole files; the hostile-input tests cover those refused.)
TEST(Files, LoadFileToMemory) {
    const std::string path = "/tmp/zorblit-test-" + std::to_string(getpid());
    uint8_t *buffer = nullptr;
    uint32_t size = 1;
    std::ofstream{path};
    ASSERT_TRUE(LoadFileToMemory(path.c_str(), &buffer, &size) && FileExists(path.c_str()));
    EXPECT_EQ(size, 0u);
    free(buffer);
    std::remove(path.c_str());
    EXPECT_FALSE(FileExists("/tmp"));
}

TEST(Numeric, PolarAngleRange) {
    constexpr float pi = std::numbers::pi_v<float>;
    for (const auto &[y, x, angle] : {std::tuple{-1.f, 0.f, -pi / 2}, {0.f, -1.f, pi}, {-1.f, -1.f, 5 * pi / 4},
                                      {0.f, 0.f, pi / 2}, {1.f, 1.f, pi / 4}})
        EXPECT_FLOAT_EQ(PolarAngle(y, x), angle) << y << "," << x;
}

}  // namespace
}  // namespace zorblit
