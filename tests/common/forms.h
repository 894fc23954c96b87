// The two forms, for tests that run each of them.
#pragma once
#include <gtest/gtest.h>

#include "core/form.h"

namespace zorblit::test {

using Forms = ::testing::Types<Portable, Packed>;

}  // namespace zorblit::test
