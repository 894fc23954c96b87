#include "support/diagnostics.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace zorblit {
namespace {

constexpr size_t kMessageBoxLimit = 255;
// Installed by the window layer; without one, messages are logged and printed.
MessageBoxHandler messageBoxHandler = nullptr;

std::string findApplicationDirectory() {
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || !exe.has_parent_path()) return "./";
    std::string dir = exe.parent_path().string();
    if (dir.empty() || dir.back() != '/') dir += '/';
    return dir;
}

// Every run starts with an empty log.
const bool logDeletedAtLoad = [] {
    std::remove(logFilePath().c_str());
    return true;
}();

}  // namespace

const std::string &applicationDirectory() {
    static const std::string dir = findApplicationDirectory();
    return dir;
}

std::string logFilePath() { return applicationDirectory() + "logger.log"; }

void writeLogLine(std::string_view text) {
    if (FILE *log = std::fopen(logFilePath().c_str(), "a")) {
        std::fwrite(text.data(), 1, text.size(), log);
        std::fputc('\n', log);
        std::fclose(log);
    }
}

std::string_view cutUtf8(std::string_view text, size_t maxBytes) {
    if (text.size() <= maxBytes) return text;
    size_t end = maxBytes;
    // Step back over continuation bytes (10xxxxxx) to the start of a character.
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return text.substr(0, end);
}

void showMessage(std::string_view text) {
    const std::string body(cutUtf8(text, kMessageBoxLimit));
    // A message nobody could see goes to standard error as well, so no failure
    // is silent.
    if (!messageBoxHandler || !messageBoxHandler("Message", body.c_str()))
        std::fprintf(stderr, "%.*s\n", int(text.size()), text.data());
    writeLogLine("MESSAGE: " + std::string(text));
}

MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler) {
    MessageBoxHandler previous = messageBoxHandler;
    messageBoxHandler = handler;
    return previous;
}

}  // namespace zorblit

using namespace zorblit;

void ReportError(const char *text) {
    showMessage(text);
    writeLogLine(text);
}

void FatalError(const char *text) {
    ReportError(text);
    std::exit(1);
}
