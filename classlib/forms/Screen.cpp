// TScreen: screen metrics, the cursor table and the list of forms.
#include "classlib/forms/Screen.h"

#include "classlib/windowing/SystemMetrics.h"

TScreen* Screen = nullptr;

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner)
{
    SetScreenCursors(this);
    const HCURSOR arrow = LoadCursor(0, IDC_ARROW);
    FCursors = {
        {crDefault, arrow},
        {crNone, 0},
        {crArrow, arrow},
        {crCross, LoadCursor(0, IDC_CROSS)},
        {crIBeam, LoadCursor(0, IDC_IBEAM)},
        {crSizeNESW, LoadCursor(0, IDC_SIZENESW)},
        {crSizeNS, LoadCursor(0, IDC_SIZENS)},
        {crSizeNWSE, LoadCursor(0, IDC_SIZENWSE)},
        {crSizeWE, LoadCursor(0, IDC_SIZEWE)},
        {crUpArrow, LoadCursor(0, IDC_UPARROW)},
        {crHourGlass, LoadCursor(0, IDC_WAIT)},
        {crDrag, arrow},
        {crNoDrop, LoadCursor(0, IDC_NO)},
        {crHSplit, LoadCursor(0, IDC_SIZEWE)},
        {crVSplit, LoadCursor(0, IDC_SIZENS)},
        {crMultiDrag, arrow},
        {crSQLWait, LoadCursor(0, IDC_WAIT)},
        {crNo, LoadCursor(0, IDC_NO)},
        {crAppStart, LoadCursor(0, IDC_APPSTARTING)},
        {crHelp, LoadCursor(0, IDC_HELP)},
        {crHandPoint, LoadCursor(0, IDC_HAND)},
        {crSizeAll, LoadCursor(0, IDC_SIZEALL)},
    };
}

TScreen::~TScreen()
{
    if (ScreenCursors() == this) SetScreenCursors(nullptr);
}

int TScreen::Width() const
{
    return GetSystemMetrics(SM_CXSCREEN);
}

int TScreen::Height() const
{
    return GetSystemMetrics(SM_CYSCREEN);
}

TRect TScreen::WorkAreaRect() const
{
    return GetWorkAreaRect();
}

HCURSOR TScreen::Cursors(TCursor id) const
{
    auto it = FCursors.find(id);
    if (it != FCursors.end()) return it->second;
    return FCursors.at(crDefault);
}

void TScreen::SetCursors(TCursor id, HCURSOR cursor)
{
    if (id == crDefault && cursor == 0) cursor = LoadCursor(0, IDC_ARROW);
    FCursors[id] = cursor;
}

void TScreen::SetCursor(TCursor value)
{
    if (value == FCursor) return;
    FCursor = value;
    if (value != crDefault) ::SetCursor(Cursors(value));
}

TWinControl* TScreen::ActiveControl() const
{
    return FActiveForm ? FActiveForm->ActiveControl() : nullptr;
}
