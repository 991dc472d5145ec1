// Styles and the non-client area, moving by the caption, regions, and
// windows inside foreign windows.
#include "classlib/controls/Panel.h"
#include "classlib/windowing/MessageQueue.h"
#include "classlib/windowing/Regions.h"
#include "tests/support/HeadlessFixture.h"

TEST_F(HeadlessTest, CaptionStyleIsChangedThroughSetWindowLongAndFrameChanged)
{
    auto& form = app->Create<TForm>();
    form.SetBorderStyle(bsDialog);
    form.SetBounds(10, 10, 120, 80);
    ShowAndSettle(form);
    const auto w = NativeOf(form);
    EXPECT_TRUE(hp.Window(w)->params.decorated);
    EXPECT_EQ(form.ClientRect(), TRect(0, 0, 120, 80)) << "the platform draws the frame outside";

    const HWND h = form.Handle();
    SetWindowLong(h, GWL_STYLE, GetWindowLong(h, GWL_STYLE) & ~static_cast<int32_t>(WS_CAPTION));
    EXPECT_TRUE(hp.Window(w)->params.decorated) << "not before the frame is recalculated";
    SetWindowPos(h, 0, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    EXPECT_FALSE(hp.Window(w)->params.decorated);
    EXPECT_EQ(form.ClientRect(), TRect(0, 0, 114, 74)) << "the dialog frame, 3 pixels a side, is ours now";
    app->ProcessMessages();
    EXPECT_EQ(Pixel(form, 0, 0), Px(clBtnHighlight)) << "default frame painted";
    EXPECT_EQ(Pixel(form, 60, 40), Px(clBtnFace));
}

TEST_F(HeadlessTest, NonClientCalculationCanBeTakenOverByTheWindowProcedure)
{
    // Like a skinned frame: the bottom band is BorderWidth + 1 high, the dialog frame still applies.
    const int borderWidth = 1;
    auto& form = app->Create<TForm>();
    form.SetBorderStyle(bsDialog);
    form.SetBounds(0, 0, 303, 378);
    ShowAndSettle(form);
    const HWND h = form.Handle();
    const TWndMethod inherited = GetWindowProc(h);
    SetWindowProc(h, [&, inherited](TMessage& m) {
        if (m.Msg == WM_NCCALCSIZE && m.WParam) {
            auto* p = reinterpret_cast<NCCALCSIZE_PARAMS*>(m.LParam);
            p->rgrc[0].Bottom = p->rgrc[0].Bottom - borderWidth + 2;
            p->rgrc[1] = p->rgrc[0];
            inherited(m);
            m.Result = WVR_VALIDRECTS;
            return;
        }
        inherited(m);
    });
    SetWindowLong(h, GWL_STYLE, GetWindowLong(h, GWL_STYLE) & ~static_cast<int32_t>(WS_CAPTION));
    SetWindowPos(h, 0, 0, 0, 0, 0, 0x37);
    TRect client;
    GetClientRect(h, client);
    EXPECT_EQ(client, TRect(0, 0, 303 - 6, 378 - 3 - (borderWidth + 1)));
    SetWindowProc(h, inherited);
}

TEST_F(HeadlessTest, CaptionDragStartsThePlatformsMoveAndTheFormFollows)
{
    auto& form = app->Create<TForm>();
    form.SetBorderStyle(bsNone);
    form.SetBounds(100, 100, 80, 60);
    form.OnMouseDown = [&](TObject*, TMouseButton button, TShiftState, int, int) {
        if (button != mbLeft) return;
        ReleaseCapture();
        SendMessage(form.Handle(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
    };
    ShowAndSettle(form);
    const auto w = NativeOf(form);
    hp.InjectButtonDown(w, 10, 10);
    app->ProcessMessages();
    EXPECT_TRUE(hp.Window(w)->moving);
    hp.InjectMotion(w, 30, 25, SHIFT_STATE_LEFT);
    hp.InjectButtonUp(w, 30, 25);
    app->ProcessMessages();
    EXPECT_FALSE(hp.Window(w)->moving);
    EXPECT_EQ(form.Left(), 120);
    EXPECT_EQ(form.Top(), 115);
}

TEST_F(HeadlessTest, WindowRegionIsAUnionOfRectanglesAndRoundedRectangles)
{
    const HRGN top = CreateRoundRectRgn(0, 0, 101, 51, 20, 20);
    const HRGN bottom = CreateRectRgn(0, 40, 100, 80);
    EXPECT_EQ(CombineRgn(top, top, bottom, RGN_OR), COMPLEXREGION);
    EXPECT_FALSE(PtInRegion(top, 0, 0)) << "rounded corner cut";
    EXPECT_TRUE(PtInRegion(top, 10, 1));
    EXPECT_TRUE(PtInRegion(top, 0, 79)) << "the square bottom half";
    EXPECT_FALSE(PtInRegion(top, 100, 60));

    auto& form = app->Create<TForm>();
    form.SetBorderStyle(bsNone);
    form.SetColor(clWhite);
    form.SetBounds(0, 0, 100, 80);
    ShowAndSettle(form);
    EXPECT_EQ(SetWindowRgn(form.Handle(), top, true), 1);
    DeleteObject(bottom);
    const auto* state = hp.Window(NativeOf(form));
    EXPECT_FALSE(state->region.empty());
    const auto screen = hp.ComposeScreen();
    EXPECT_EQ(screen.At(0, 0), 0u) << "outside the region the screen shows through";
    EXPECT_EQ(screen.At(50, 40), 0xFFFFFFu);
    EXPECT_EQ(screen.At(0, 79), 0xFFFFFFu);
}

TEST_F(HeadlessTest, FormLivesInAForeignWindowAndEndsWithIt)
{
    hp.CreateForeignWindow(4711, {300, 200, 452, 312});
    TForm* form = nullptr;
    app->CreateForm(form);
    form->SetBorderStyle(bsNone);
    form->SetColor(clRed);
    form->SetParentWindow(4711);
    TRect parent;
    ASSERT_TRUE(GetWindowRect(4711, parent));
    form->SetClientWidth(parent.Width());
    form->SetClientHeight(parent.Height());
    EXPECT_EQ(form->BoundsRect(), TRect(0, 0, 152, 112));
    ShowAndSettle(*form);
    const auto screen = hp.ComposeScreen();
    EXPECT_EQ(screen.At(300, 200), Px(clRed));
    EXPECT_EQ(screen.At(451, 311), Px(clRed));
    EXPECT_EQ(screen.At(452, 312), 0u);

    hp.DestroyForeignWindow(4711);
    app->Run();
    EXPECT_TRUE(app->Terminated()) << "a main form whose window went away ends the program";
    EXPECT_FALSE(form->HandleAllocated());
}

TEST_F(HeadlessTest, WindowInsideAMissingForeignWindowFailsWithThePlatformError)
{
    auto& form = app->Create<TForm>();
    form.SetBorderStyle(bsNone);
    form.SetParentWindow(6699);
    TRect none{1, 2, 3, 4};
    EXPECT_FALSE(GetWindowRect(6699, none));
    try {
        form.SetClientWidth(10);
        FAIL() << "expected EOSError";
    } catch (const EOSError& e) {
        EXPECT_EQ(e.Message(), "System Error.  Code: 1400.\r\nInvalid window handle.");
    }
    EXPECT_FALSE(form.HandleAllocated());
}

TEST_F(HeadlessTest, SystemCommandsReachTheFormAndCloseEndsTheMainForm)
{
    TForm* form = nullptr;
    app->CreateForm(form);
    form->SetBorderStyle(bsNone);
    std::vector<WPARAM> commands;
    const TWndMethod inherited = form->WindowProc;
    form->WindowProc = [&](TMessage& m) {
        if (m.Msg == WM_SYSCOMMAND) commands.push_back(m.WParam);
        inherited(m);
    };
    ShowAndSettle(*form);
    hp.InjectSystemCommand(NativeOf(*form), SC_SCREENSAVE);
    app->ProcessMessages();
    EXPECT_FALSE(app->Terminated()) << "no other screen saver is started, nothing closes";
    hp.InjectCloseRequest(NativeOf(*form));
    app->Run();
    EXPECT_TRUE(app->Terminated());
    EXPECT_EQ(commands, (std::vector<WPARAM>{SC_SCREENSAVE, SC_CLOSE}));
    form->WindowProc = inherited;
}

TEST_F(HeadlessTest, AbsurdBoundsAreClampedNotAllocated)
{
    auto& form = app->Create<TForm>();
    form.SetBorderStyle(bsNone);
    form.SetBounds(INT32_MIN, INT32_MAX, -5, INT32_MAX);
    EXPECT_EQ(form.BoundsRect(), TRect(-(1 << 24), 1 << 24, -(1 << 24), (1 << 24) + 32767));
    auto& panel = form.Create<TPanel>();
    panel.SetParent(&form);
    panel.SetBounds(INT32_MAX, 0, INT32_MAX, 10);
    EXPECT_EQ(panel.Width(), 32767);
    form.SetBounds(0, 0, 64, 48);
    ShowAndSettle(form);  // the panel lies far outside: nothing of it shows, nothing breaks
    EXPECT_EQ(Pixel(form, 10, 10), Px(clBtnFace));
}
