// The headless backend every test binary installs before its tests run, for
// tests that need a platform but set up none of their own. A test that
// installs its own puts this one back when it is done.
#pragma once

#include "platform/headless/HeadlessPlatform.h"

platform::HeadlessPlatform& TestPlatform();
