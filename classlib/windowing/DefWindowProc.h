// The default handling of window messages.
#pragma once

#include "classlib/windowing/Messages.h"

// The default handling of a message (non-client area, cursor, close, system commands...).
LRESULT DefWindowProc(HWND wnd, TMessage& message);
LRESULT DefWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
