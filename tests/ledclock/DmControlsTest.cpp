// The control bases: held-back repaints, the off-screen bitmap, the
// transparent capture cycle, the paint handler's clean-up, notifications.
#include "classlib/system/Exceptions.h"
#include "classlib/system/LoadingScope.h"
#include "classlib/windowing/MessageQueue.h"
#include "classlib/windowing/WindowGeometry.h"
#include "classlib/windowing/WindowInput.h"
#include "classlib/windowing/WindowTree.h"
#include "ledclock/DmControls.h"
#include "ledclock/DmHandCursor.h"
#include "ledclock/Dminterface.h"
#include "tests/ledclock/LedClockFixture.h"

namespace {

// A real image control that draws one dot over its prepared bitmap.
class TDotControl : public TDmGraphicImageControl {
public:
    using TDmGraphicImageControl::TDmGraphicImageControl;

    int Paints = 0;
    TPoint Dot{5, 5};
    bool Fail = false;

    TBitmap& Offscreen() { return FOffscreen; }
    TControlCanvas& OwnCanvas() { return FCanvas; }
    bool CopyParent() const { return FCopyParent; }

protected:
    void Paint() override
    {
        ++Paints;
        ClearBitmapCanvas();
        GetBitmapCanvas()->SetPixels(Dot.X, Dot.Y, clRed);
        if (Fail) throw Exception("paint failed");
        TDmGraphicImageControl::Paint();
    }
};

class DmControls : public LedClockFixture {
protected:
    TForm& Form = MakeForm(100, 80);

    TDotControl& MakeControl()
    {
        TDotControl& control = Form.Create<TDotControl>();
        control.SetParent(&Form);
        control.SetBounds(10, 10, 40, 30);
        control.SetColor(clBlack);
        control.SetControlStyle(control.ControlStyle() | csOpaque);
        App->ProcessMessages();
        control.Paints = 0;
        return control;
    }

    uint32_t ScreenPixel(int x, int y) { return Headless.WindowPixel(Headless.TopWindow(), x, y); }
};

TEST_F(DmControls, UpdatesNestAndRepaintOnlyAtTheOutermostEnd)
{
    TDotControl& control = MakeControl();
    control.BeginUpdate();
    control.BeginUpdate();
    control.UpdateControlCanvas();
    control.EndUpdate();
    EXPECT_EQ(control.Paints, 0);
    control.EndUpdate();
    EXPECT_EQ(control.Paints, 1);
    control.UpdateControlCanvas();
    EXPECT_EQ(control.Paints, 2);
}

TEST_F(DmControls, NoRepaintWithoutParentOrWhileLoading)
{
    TDotControl& orphan = Form.Create<TDotControl>();
    orphan.UpdateControlCanvas();
    EXPECT_EQ(orphan.Paints, 0);

    TDotControl* loading = nullptr;
    {
        TLoadingScope scope(Form);
        loading = &Form.Create<TDotControl>();
        loading->SetParent(&Form);
        loading->SetBounds(0, 0, 10, 10);
        loading->UpdateControlCanvas();
        EXPECT_EQ(loading->Paints, 0);
    }
    loading->UpdateControlCanvas();
    EXPECT_GE(loading->Paints, 1);
}

TEST_F(DmControls, EveryPaintStartsFromColourInABitmapOfTheControlsSize)
{
    TDotControl& control = MakeControl();
    control.UpdateControlCanvas();
    EXPECT_EQ(ScreenPixel(15, 15), 0xFF0000u);  // the dot at (5, 5) of the control
    control.Dot = {6, 6};
    control.SetColor(clBlue);
    control.UpdateControlCanvas();
    EXPECT_EQ(ScreenPixel(15, 15), 0x0000FFu);  // the old dot is gone under the new colour
    EXPECT_EQ(ScreenPixel(16, 16), 0xFF0000u);

    control.SetBounds(10, 10, 60, 50);
    control.UpdateControlCanvas();
    EXPECT_EQ(control.Offscreen().Width(), 60);
    EXPECT_EQ(control.Offscreen().Height(), 50);
}

TEST_F(DmControls, TransparentControlCapturesTheParentOnceForItsOwnRepaints)
{
    int parentPaints = 0;
    Form.OnPaint = [&](TObject*) { ++parentPaints; };
    TDotControl& control = MakeControl();
    control.SetTransparent(true);  // requests a repaint: nothing captured yet, so the parent paints beneath
    EXPECT_FALSE(control.ControlStyle() & csOpaque);
    App->ProcessMessages();
    EXPECT_GE(parentPaints, 1);
    EXPECT_EQ(ScreenPixel(10, 10), 0x000000u);  // the form's black, captured
    EXPECT_EQ(ScreenPixel(15, 15), 0xFF0000u);
    EXPECT_TRUE(control.CopyParent());

    // Its own repaint reuses the capture: the parent does not paint.
    parentPaints = 0;
    control.Dot = {7, 7};
    control.UpdateControlCanvas();
    EXPECT_EQ(parentPaints, 0);
    EXPECT_EQ(ScreenPixel(17, 17), 0xFF0000u);
    EXPECT_EQ(ScreenPixel(15, 15), 0x000000u);

    // A repaint from outside captures afresh: the parent's new colour shows.
    Form.SetColor(clGreen);
    Form.Invalidate();
    App->ProcessMessages();
    EXPECT_GE(parentPaints, 1);
    EXPECT_EQ(ScreenPixel(10, 10), 0x008000u);
    EXPECT_EQ(ScreenPixel(17, 17), 0xFF0000u);
}

TEST_F(DmControls, FailingPaintLeavesCanvasesUnlockedAndDetached)
{
    TDotControl& control = MakeControl();
    control.Fail = true;
    EXPECT_THROW(control.UpdateControlCanvas(), Exception);
    EXPECT_EQ(control.OwnCanvas().LockCount(), 0);
    EXPECT_EQ(control.GetBitmapCanvas()->LockCount(), 0);
    EXPECT_EQ(control.OwnCanvas().DC(), nullptr);
    control.Fail = false;
    control.UpdateControlCanvas();
    EXPECT_EQ(ScreenPixel(15, 15), 0xFF0000u);
}

TEST_F(DmControls, NotificationsReachTheirHandlers)
{
    TDotControl& control = MakeControl();
    std::string seen;
    control.OnMouseEnter = [&](TObject*) { seen += "enter "; };
    control.OnMouseLeave = [&](TObject*) { seen += "leave "; };
    control.OnFontChanged = [&](TObject*) { seen += "font "; };
    control.OnTextChanged = [&](TObject*) { seen += "text "; };
    for (UINT message : {CM_MOUSEENTER, CM_MOUSELEAVE, CM_FONTCHANGED, CM_TEXTCHANGED}) control.Perform(message);
    EXPECT_EQ(seen, "enter leave font text ");
    EXPECT_EQ(control.Version(), "1.3");
}

TEST_F(DmControls, HandCursorIsRegisteredAs99)
{
    MakeControl();
    EXPECT_EQ(Screen->Cursors(crDmHandPoint), LoadCursor(0, IDC_HAND));
    EXPECT_NE(Screen->Cursors(crDmHandPoint), Screen->Cursors(crDefault));
}

class TFilledWindow : public TDmCustomImageControl {
public:
    using TDmCustomImageControl::TDmCustomImageControl;

protected:
    void Paint() override
    {
        ClearBitmapCanvas();
        TDmCustomImageControl::Paint();
    }
};

TEST_F(DmControls, WindowedImageControlPaintsItsColour)
{
    TFilledWindow& window = Form.Create<TFilledWindow>();
    window.SetParent(&Form);
    window.SetBounds(50, 40, 20, 10);
    window.SetColor(clYellow);
    App->ProcessMessages();
    EXPECT_EQ(ScreenPixel(50, 40), 0xFFFF00u);
    EXPECT_EQ(ScreenPixel(69, 49), 0xFFFF00u);
    EXPECT_EQ(ScreenPixel(70, 49), 0x000000u);
}

TEST_F(DmControls, UtilityWindowForwardsItsMessages)
{
    UINT received = 0;
    const HWND window = Dm_AllocateHWnd([&](TMessage& m) { received = m.Msg; });
    ASSERT_TRUE(IsWindow(window));
    SendMessage(window, WM_USER + 7);
    EXPECT_EQ(received, WM_USER + 7);
    Dm_DeallocateHWnd(window);
    EXPECT_FALSE(IsWindow(window));
}

}  // namespace
