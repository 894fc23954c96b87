// One reason per thread, so hosts that read on several threads see their own.
#include "loaders/refusal.h"

#include <cstdio>

namespace zorblit {
namespace {
thread_local char reasonText[160];
}

void beginRead() { reasonText[0] = '\0'; }

bool refuse(const char *reason) {
    if (reasonText[0] == '\0') std::snprintf(reasonText, sizeof reasonText, "%s", reason);
    return false;
}

bool refuseAt(const char *what, size_t offset) {
    if (reasonText[0] == '\0') std::snprintf(reasonText, sizeof reasonText, "%s at byte %zu", what, offset);
    return false;
}

const char *lastRefusal() { return reasonText; }

}  // namespace zorblit
