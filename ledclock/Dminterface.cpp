#include "ledclock/Dminterface.h"

#include "classlib/windowing/WindowTree.h"

HWND Dm_AllocateHWnd(TWndMethod method)
{
    return AllocateHWnd(std::move(method));
}

void Dm_DeallocateHWnd(HWND handle)
{
    DeallocateHWnd(handle);
}
