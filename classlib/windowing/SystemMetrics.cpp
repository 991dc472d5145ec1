// The screen's metrics and work area, from the platform.
#include "classlib/windowing/SystemMetrics.h"

#include "classlib/windowing/Messages.h"
#include "classlib/windowing/private/WindowObject.h"

int GetSystemMetrics(int index)
{
    const platform::ScreenMetrics screen = Platform().Screen();
    switch (index) {
    case SM_CXSCREEN: return screen.width;
    case SM_CYSCREEN: return screen.height;
    case SM_CXFULLSCREEN: return screen.workArea.width();
    case SM_CYFULLSCREEN: return screen.workArea.height() - 19;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL: return 16;
    case SM_CYCAPTION: return 19;
    case SM_CYMENU: return 19;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return 3;
    case SM_CXFRAME:
    case SM_CYFRAME: return 4;
    case SM_CXEDGE:
    case SM_CYEDGE: return 2;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR: return 32;
    case SM_CXSMICON:
    case SM_CYSMICON: return 16;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK: return 4;
    default: return 0;
    }
}

TRect GetWorkAreaRect()
{
    const platform::Rect r = Platform().Screen().workArea;
    return {r.left, r.top, r.right, r.bottom};
}
