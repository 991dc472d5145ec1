// The pointer shape the platform shows over our windows.
#pragma once

#include "classlib/windowing/Messages.h"
#include "classlib/windowing/private/Guard.h"
#include "platform/Platform.h"

// Cursor handles are the platform's pointer shapes, counted from 1 (0 hides the pointer).
constexpr HCURSOR CursorOf(platform::PointerShape shape)
{
    return static_cast<HCURSOR>(shape) + 1;
}

// Shows the current cursor over the window holding the capture or under the pointer.
void ApplyPointerShape();
