// Pictures checked against the reviewed ones in tests/golden/<name>.png. A
// missing, unreadable or differing golden picture fails, and the actual
// picture is then written to the build folder as <name>.actual.png for review.
#pragma once

#include "tests/support/PixelCompare.h"

#include <gtest/gtest.h>

#include <string>

::testing::AssertionResult MatchesGolden(const TPixelView& actual, const std::string& name);
