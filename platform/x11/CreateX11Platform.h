// Picks the X11 backend when a display can be opened. Free of X11 headers, so
// the program's entry point can include it.
#pragma once

#include "platform/Platform.h"

#include <memory>

namespace platform {

// Connects to the display named by $DISPLAY; null when there is none or it
// cannot be opened (the caller then reports it or uses another backend).
std::unique_ptr<IPlatform> CreateX11Platform();

}  // namespace platform
