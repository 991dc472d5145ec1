// Hidden utility windows for the LED clock's family: thin forwarders to the
// class library, so the family's components need not know where they live.
#pragma once

#include "classlib/windowing/Messages.h"

// A hidden window whose messages go to method.
HWND Dm_AllocateHWnd(TWndMethod method);
void Dm_DeallocateHWnd(HWND handle);
