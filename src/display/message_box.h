// The platform's modal message box.
#pragma once

namespace zorblit {
// Shows a blocking box with one button; false when none can be shown.
bool showPlatformMessageBox(const char *title, const char *body);
}
