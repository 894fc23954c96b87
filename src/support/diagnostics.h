// The library's one way of reporting trouble: a message box titled "Message" and
// a line in logger.log beside the executable.
#pragma once
#include <string>
#include <string_view>

#include "zorblit.h"

namespace zorblit {

// The folder that holds the running executable, with a trailing '/'.
const std::string &applicationDirectory();
std::string logFilePath();

// Appends text and a line end to logger.log; the file is closed after each line.
void writeLogLine(std::string_view text);

// Shows the box through the installed handler and logs "MESSAGE: " + text.
// Without a handler, or when it shows no box, the text goes to standard error.
void showMessage(std::string_view text);

// At most maxBytes of text, cut at a UTF-8 character boundary.
std::string_view cutUtf8(std::string_view text, size_t maxBytes);

// Who shows message boxes: the window layer installs one when the library
// loads, tests swap in a recorder, nullptr removes it. A handler returns false
// when no box could be shown.
using MessageBoxHandler = bool (*)(const char *title, const char *body);
MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler);

}  // namespace zorblit
