// The form the build exports (CMake ZORBLIT_FORM). Both forms are always compiled.
#pragma once
#include "core/form_packed.h"
#include "core/form_portable.h"

namespace zorblit {
#if ZORBLIT_PACKED_BUILD
using BuiltForm = Packed;
#else
using BuiltForm = Portable;
#endif
}  // namespace zorblit
