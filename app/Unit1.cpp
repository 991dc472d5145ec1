#include "app/Unit1.h"

#include "app/SettingsStore.h"
#include "classlib/forms/Application.h"
#include "classlib/system/LoadingScope.h"
#include "classlib/system/SysUtils.h"
#include "classlib/windowing/SystemMetrics.h"
#include "dateclock/DcClock.h"
#include "dateclock/DcPanels.h"
#include "ledclock/DmLedClock.h"

TForm1* Form1 = nullptr;

TForm1::TForm1(TComponent* AOwner) : TForm(AOwner)
{
    {
        TLoadingScope loading(*this);
        BuildForm1(*this);
    }
    SetTop(0);
    SetLeft(0);
    ScreenWidth = GetSystemMetrics(SM_CXSCREEN);
    ScreenHeight = GetSystemMetrics(SM_CYSCREEN);
    SetWidth(ScreenWidth);
    SetHeight(ScreenHeight);

    // The clocks keep the default cursor and so show the panel's: no pointer anywhere.
    SavedCursor = Cursor();
    SetCursor(crNone);
    DcBackPanel1->SetCursor(crNone);

    MotionStyle = ReadMotionStyle();

    StepSize = 1;
    MovingRight = 0;
    MovingDown = 0;
    LastMouseX = 0;
    LastMouseY = 0;

    if (MotionStyle == 1) {
        Application->OnIdle = [this](TObject* Sender, bool& Done) { AppIdle(Sender, Done); };
        FIdleInstalled = true;
    }

    PanelX = (ScreenWidth - DcBackPanel1->Width()) / 2;
    PanelY = (ScreenHeight - DcBackPanel1->Height()) / 2;
    DcBackPanel1->SetLeft(PanelX);
    DcBackPanel1->SetTop(PanelY);
}

TForm1::~TForm1()
{
    // The idle handler must not outlive the form it calls into.
    if (FIdleInstalled && Application) Application->OnIdle = nullptr;
    if (Form1 == this) Form1 = nullptr;
}

void TForm1::FormCreate(TObject* Sender)
{
    DmLedClock1->SetHoursColor(ReadClockColor());
    DmLedClock1->SetHoursOutline(ReadClockColor());
    DmLedClock1->SetSecHandColor(ReadClockColor());
    DmLedClock1->SetSecOutline(ReadClockColor());
    DmLedClock1->SetTickColor(ReadClockColor());
    DmLedClock1->SetTickOutline(ReadClockColor());
    DcClock1->Digital()->SetActiveColor(ReadClockColor());
    DcClock1->Digital()->SetInActiveColor(clBlack);
}

void TForm1::UpdatePosition()
{
    const int width = DmLedClock1->Width();
    const int height = DmLedClock1->Height();
    // Each axis overshoots its edge by one step, spends one step turning and comes back.
    if (MovingRight == 1) {
        if (width + PanelX > ScreenWidth)
            MovingRight = 0;
        else
            PanelX += StepSize;
    } else {
        if (PanelX < 0)
            MovingRight = 1;
        else
            PanelX -= StepSize;
    }
    if (MovingDown == 1) {
        if (height + PanelY > ScreenHeight)
            MovingDown = 0;
        else
            PanelY += StepSize;
    } else {
        if (PanelY < 0)
            MovingDown = 1;
        else
            PanelY -= StepSize;
    }
}

void TForm1::AppIdle(TObject* Sender, bool& Done)
{
    UpdatePosition();
    DcBackPanel1->SetLeft(PanelX);
    DcBackPanel1->SetTop(PanelY);
    Application->ProcessMessages();
    // The fixed sleep bounds the processor load; the invalidation below makes
    // the next paint, after which the loop goes idle again for the next pass.
    Sleep(10);
    Invalidate();
}

void TForm1::FormMouseMove(TObject* Sender, TShiftState Shift, int X, int Y)
{
    if (X != LastMouseX || Y != LastMouseY) CountMouseMove();
    LastMouseX = X;
    LastMouseY = Y;
}

void TForm1::CountMouseMove()
{
    MoveCount += 1;
    if (MoveCount > 10) Close();
}

void TForm1::FormMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)
{
    Close();
}

void TForm1::FormMouseWheel(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)
{
    Close();
}

void TForm1::FormKeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift)
{
    Close();
}

void TForm1::FormClose(TObject* Sender, TCloseAction& Action)
{
    SetCursor(SavedCursor);
}

void TForm1::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_ACTIVATE: WMActivate(Message); break;
    case WM_SYSCOMMAND: WMSysCommand(Message); break;
    default: TForm::Dispatch(Message); break;
    }
}

void TForm1::WMActivate(TMessage& Message)
{
    // Not passed on: the saver does no activation handling of its own.
    if (LOWORD(Message.WParam) == WA_INACTIVE) Close();
}

void TForm1::WMSysCommand(TMessage& Message)
{
    // Swallowing the screen saver command keeps any other saver from starting.
    if (Message.WParam == SC_SCREENSAVE) {
        Message.Result = 1;
        return;
    }
    TForm::WMSysCommand(Message);
}
