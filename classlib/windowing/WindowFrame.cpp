// The frame around a window's client area.
#include "classlib/windowing/private/WindowFrame.h"

#include "classlib/windowing/private/NativeWindow.h"
#include "classlib/windowing/private/WindowObject.h"

int FrameWidthOf(uint32_t style, uint32_t exStyle, bool nativeDecorated)
{
    int frame = 0;
    if (!nativeDecorated) {
        if (style & WS_THICKFRAME)
            frame = 4;
        else if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME))
            frame = 3;
        else if (style & WS_BORDER)
            frame = 1;
    }
    if (exStyle & WS_EX_CLIENTEDGE) frame += 2;
    return frame;
}

TRect DefaultClientRect(const TWindowObject* w, const TRect& windowRect)
{
    const int frame = FrameWidthOf(w->Style, w->ExStyle, NativelyDecorated(w));
    TRect r = InflateRect(windowRect, -frame, -frame);
    if (r.Right < r.Left) r.Right = r.Left;
    if (r.Bottom < r.Top) r.Bottom = r.Top;
    return r;
}

void RecalcClient(TWindowObject* w)
{
    NCCALCSIZE_PARAMS params;
    params.rgrc[0] = w->Bounds;
    params.rgrc[1] = w->Bounds;
    params.rgrc[2] = w->Bounds;
    TMessage m{WM_NCCALCSIZE, 1, reinterpret_cast<LPARAM>(&params), 0};
    const HWND h = w->Handle;
    CallWindowObject(w, m);
    if (!FindWindowObject(h)) return;
    TRect c = OffsetRect(params.rgrc[0], -w->Bounds.Left, -w->Bounds.Top);
    c = IntersectRect(c, {0, 0, w->Width(), w->Height()});
    w->Client = c;
}
