// The seam's names that Xlib's macros hide: X.h defines `None` and `Expose`,
// which are also a PointerShape and an EventType. This header takes them
// under other names before any X header is seen, so every file of the backend
// includes it first.
#pragma once

#include "platform/Platform.h"

#ifdef None
#error "include platform/x11/X11SeamNames.h before any X11 header"
#endif

namespace platform::x11 {

inline constexpr PointerShape kNoPointer = PointerShape::None;
inline constexpr EventType kExposeEvent = EventType::Expose;

}  // namespace platform::x11
