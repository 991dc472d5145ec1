// Repaint requests of windowed controls.
#include "classlib/controls/WinControl.h"
#include "classlib/windowing/WindowPaint.h"

void TWinControl::Invalidate()
{
    if (!HandleAllocated() || IsLoadingOrDestroying()) return;
    InvalidateRect(FHandle, nullptr, !(FControlStyle & csOpaque));
}

void TWinControl::Update()
{
    if (HandleAllocated()) UpdateWindow(FHandle);
}

void TWinControl::Repaint()
{
    Invalidate();
    Update();
}

void TWinControl::PaintOnParent(HDC)
{
    Repaint();
}
