// Why the last read was refused, kept for the host as a short English text.
#pragma once
#include <cstddef>

namespace zorblit {

// Called by every exported reader before it starts: forgets the last reason.
void beginRead();
// Records reason (a string with static lifetime) unless this read already has one,
// so the innermost, most specific reason wins. Returns false, for
// `return refuse("...")`.
bool refuse(const char *reason);
// Records "<what> at byte <offset>" under the same rule; returns false.
bool refuseAt(const char *what, size_t offset);
// The reason recorded since beginRead, or "" when there is none.
const char *lastRefusal();

}  // namespace zorblit
