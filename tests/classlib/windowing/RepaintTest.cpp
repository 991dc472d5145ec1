// The repaint rule, the loading scope's silence, and presenting only what changed.
#include "classlib/controls/ControlRegistry.h"
#include "classlib/controls/GraphicControl.h"
#include "classlib/controls/Panel.h"
#include "classlib/system/LoadingScope.h"
#include "classlib/windowing/WindowPaint.h"
#include "tests/support/HeadlessFixture.h"

namespace {
// Paints one red pixel at (X, 0) and nothing else, so whatever lies beneath shows around it.
class TDot : public TGraphicControl {
public:
    TDot(TComponent* owner, bool opaque) : TGraphicControl(owner)
    {
        if (opaque)
            FControlStyle |= csOpaque;
        else
            FControlStyle &= ~csOpaque;
    }
    int X = 0;
    int Paints = 0;

protected:
    void Paint() override
    {
        ++Paints;
        Canvas()->SetPixels(X, 0, clRed);
    }
};

class TCountingPanel : public TPanel {
public:
    using TPanel::TPanel;
    int Paints = 0;

protected:
    void Paint() override
    {
        ++Paints;
        TPanel::Paint();
    }
};

// A borderless form of one colour, and a flat panel of one colour on a
// parent: the backgrounds these tests draw and move things over.
TForm& PlainForm(TApplication& app, TColor color, int width, int height)
{
    auto& form = app.Create<TForm>();
    form.SetBorderStyle(bsNone);
    form.SetColor(color);
    form.SetBounds(0, 0, width, height);
    return form;
}

template <class TPanelKind = TPanel>
TPanelKind& FlatPanel(TWinControl& parent, TColor color, int left, int top, int width, int height)
{
    auto& panel = parent.Create<TPanelKind>();
    panel.SetParent(&parent);
    panel.SetBevelOuter(bvNone);
    panel.SetColor(color);
    panel.SetBounds(left, top, width, height);
    return panel;
}

struct TScene {
    TForm* form;
    TCountingPanel* panel;
};

TScene MakeScene(TApplication& app)
{
    auto& form = PlainForm(app, clBtnFace, 100, 60);
    auto& panel = FlatPanel<TCountingPanel>(form, clBlue, 0, 0, 100, 60);
    return {&form, &panel};
}
}  // namespace

class RepaintRule : public HeadlessTest, public ::testing::WithParamInterface<bool> {};

TEST_P(RepaintRule, OpaqueControlsPaintOverWhatIsThereOthersOverTheParent)
{
    const bool opaque = GetParam();
    TScene s = MakeScene(*app);
    auto& earlier = s.panel->Create<TDot>(false);
    earlier.SetParent(s.panel);
    earlier.SetBounds(10, 10, 20, 20);
    earlier.X = 17;
    auto& dot = s.panel->Create<TDot>(opaque);
    dot.SetParent(s.panel);
    dot.SetBounds(10, 10, 20, 20);
    auto& above = s.panel->Create<TDot>(false);  // later, overlapping: painted again on top
    above.SetParent(s.panel);
    above.SetBounds(15, 10, 20, 20);
    above.X = 9;
    auto& apart = s.panel->Create<TDot>(false);  // later, elsewhere: untouched
    apart.SetParent(s.panel);
    apart.SetBounds(60, 40, 10, 10);
    ShowAndSettle(*s.form);
    const int panelPaints = s.panel->Paints, earlierPaints = earlier.Paints, abovePaints = above.Paints,
              apartPaints = apart.Paints;
    ASSERT_EQ(Pixel(*s.form, 12, 10), Px(clBlue));

    dot.X = 2;
    dot.Repaint();  // the old dot at x 10 stays only where nobody paints beneath

    EXPECT_EQ(Pixel(*s.form, 12, 10), Px(clRed));
    EXPECT_EQ(Pixel(*s.form, 10, 10), opaque ? Px(clRed) : Px(clBlue));
    EXPECT_EQ(Pixel(*s.form, 24, 10), Px(clRed)) << "the later sibling stays on top";
    EXPECT_EQ(s.panel->Paints - panelPaints, opaque ? 0 : 1);
    EXPECT_EQ(earlier.Paints - earlierPaints, opaque ? 0 : 1);
    EXPECT_EQ(above.Paints - abovePaints, 1);
    EXPECT_EQ(apart.Paints, apartPaints);
}

INSTANTIATE_TEST_SUITE_P(OpaqueOrNot, RepaintRule, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Opaque" : "Transparent"; });

TEST_F(HeadlessTest, RepaintRequestsDoNothingWithoutAParentWindow)
{
    TScene s = MakeScene(*app);
    auto& dot = s.panel->Create<TDot>(true);
    dot.Repaint();  // no parent yet
    dot.SetParent(s.panel);
    dot.Repaint();  // parent has no window yet
    dot.Invalidate();
    EXPECT_EQ(dot.Paints, 0);
    EXPECT_FALSE(s.panel->HandleAllocated());
}

TEST_F(HeadlessTest, FormBuiltUnderTheLoadingScopeRepaintsNothingBeforeItIsShown)
{
    auto& form = app->Create<TForm>();
    TCountingPanel* panel = nullptr;
    TDot* dot = nullptr;
    {
        TLoadingScope loading(form);
        form.SetBorderStyle(bsNone);
        form.SetBounds(0, 0, 100, 60);
        panel = &form.Create<TCountingPanel>();
        panel->SetParent(&form);
        panel->SetAlign(alClient);
        dot = &form.Create<TDot>(true);
        dot->SetParent(panel);
        dot->SetBounds(5, 5, 10, 10);
        dot->Repaint();
        dot->Invalidate();
        panel->Repaint();
        EXPECT_TRUE(dot->Loading());
    }
    EXPECT_FALSE(dot->Loading());
    EXPECT_EQ(panel->BoundsRect(), TRect(0, 0, 100, 60)) << "aligned once loaded";
    dot->Repaint();
    EXPECT_EQ(dot->Paints + panel->Paints, 0);
    EXPECT_EQ(hp.PresentCount(), 0);
    EXPECT_TRUE(hp.LiveWindows().empty());
    ShowAndSettle(form);
    EXPECT_EQ(dot->Paints, 1);
    EXPECT_EQ(panel->Paints, 1);
}

namespace {
// A red square in the middle of a black control.
class TMark : public TGraphicControl {
public:
    explicit TMark(TComponent* owner) : TGraphicControl(owner) { FControlStyle |= csOpaque; }

protected:
    void Paint() override
    {
        TCanvas* c = Canvas();
        c->Brush()->SetColor(clBlack);
        c->FillRect(ClientRect());
        c->Brush()->SetColor(clRed);
        c->FillRect({150, 150, 200, 200});
    }
};
}  // namespace

TEST_F(HeadlessTest, MovingAPanelOverAFullScreenFormPresentsAboutThePanelOnly)
{
    auto& form = PlainForm(*app, clBlack, 1920, 1080);
    auto& panel = FlatPanel(form, clBlack, 783, 367, 353, 345);
    auto& mark = form.Create<TMark>();
    mark.SetParent(&panel);
    mark.SetBounds(0, 0, 353, 345);
    ShowAndSettle(form);
    for (int pass = 1; pass <= 3; ++pass) {
        hp.ResetPresentStatistics();
        panel.SetLeft(783 - pass);
        panel.SetTop(367 - pass);
        form.Invalidate();
        app->ProcessMessages();
        EXPECT_GT(hp.PresentedPixels(), 0);
        EXPECT_LE(hp.PresentedPixels(), 2 * 354 * 346) << "pass " << pass;
    }
    EXPECT_EQ(Pixel(form, 783 - 3 + 150, 367 - 3 + 150), Px(clRed));
    EXPECT_EQ(Pixel(form, 783 - 3 + 200, 367 - 3 + 150), Px(clBlack));
    EXPECT_EQ(Pixel(form, 783 + 199, 367 + 199), Px(clBlack)) << "the old square is gone";
}

TEST_F(HeadlessTest, AShownWindowSendsOnlyWhatIsNotBlack)
{
    // A window is black when shown: a black form sends only its panel, and a
    // form of another colour, shown again, sends everything.
    auto& form = PlainForm(*app, clBlack, 400, 300);
    FlatPanel(form, clNavy, 100, 100, 50, 40);
    hp.ResetPresentStatistics();
    ShowAndSettle(form);
    EXPECT_EQ(Pixel(form, 120, 120), Px(clNavy));
    EXPECT_EQ(Pixel(form, 5, 5), Px(clBlack));
    EXPECT_LE(hp.PresentedPixels(), 50 * 40);

    form.SetColor(clSilver);
    app->ProcessMessages();
    form.Hide();
    app->ProcessMessages();
    ShowAndSettle(form);
    EXPECT_EQ(Pixel(form, 5, 5), Px(clSilver)) << "a known colour other than black was not sent again";
    EXPECT_EQ(Pixel(form, 399, 299), Px(clSilver));
    EXPECT_EQ(Pixel(form, 120, 120), Px(clNavy));
}

TEST_F(HeadlessTest, AnEraseRestoresWhateverWasDrawnOverTheBackground)
{
    // Erases skip pixels known to hold their colour already: drawing outside a
    // paint, a paint that draws, and a change of colour must all end that knowledge.
    auto& form = PlainForm(*app, clBlack, 400, 300);
    ShowAndSettle(form);
    const auto drawOutsideAPaint = [&] {
        TCanvas* c = form.Canvas();
        c->Brush()->SetColor(clRed);
        c->FillRect({10, 10, 60, 60});
    };
    const auto redrawn = [&] {
        form.Invalidate();
        app->ProcessMessages();
    };

    drawOutsideAPaint();
    FreeDeviceContexts();
    EXPECT_EQ(Pixel(form, 20, 20), Px(clRed));
    redrawn();
    EXPECT_EQ(Pixel(form, 20, 20), Px(clBlack)) << "the erase left drawn pixels standing";

    form.OnPaint = [&](TObject*) { form.Canvas()->SetPixels(30, 30, clLime); };
    redrawn();
    EXPECT_EQ(Pixel(form, 30, 30), Px(clLime));
    form.OnPaint = nullptr;
    redrawn();
    EXPECT_EQ(Pixel(form, 30, 30), Px(clBlack)) << "what a paint drew survived the next erase";

    form.SetColor(clNavy);
    redrawn();
    EXPECT_EQ(Pixel(form, 30, 30), Px(clNavy));
    form.SetColor(clBlack);
    redrawn();
    EXPECT_EQ(Pixel(form, 399, 299), Px(clBlack));
}

namespace {
std::vector<uint32_t> Frame(HeadlessTest& t, TWinControl& form)
{
    std::vector<uint32_t> pixels;
    for (int y = 0; y < form.Height(); ++y)
        for (int x = 0; x < form.Width(); ++x) pixels.push_back(t.Pixel(form, x, y));
    return pixels;
}
}  // namespace

TEST_F(HeadlessTest, AMovedPanelKeepsItsPixelsAndPaintsOnlyWhatWasHidden)
{
    // A panel with a windowed child and a drawn dot, moved about a form: each
    // frame must equal a repaint of everything, and a move within the form
    // must not repaint the panel at all.
    auto& form = PlainForm(*app, clBlack, 120, 90);
    auto& panel = FlatPanel<TCountingPanel>(form, clNavy, 40, 30, 50, 40);
    FlatPanel(panel, clLime, 5, 5, 12, 9);
    auto& dot = panel.Create<TDot>(true);
    dot.SetParent(&panel);
    dot.SetBounds(30, 20, 10, 1);
    dot.X = 4;
    FlatPanel(form, clMaroon, 0, 80, 20, 10);  // a later sibling: on top of the panel where they meet
    ShowAndSettle(form);

    const struct {
        int Left, Top;
        bool Repainted;
    } moves[] = {
        {39, 29, false}, {41, 29, false}, {41, 33, false}, {20, 10, false},  // within the form
        {-10, 10, false},                                                      // part leaves the form
        {-5, 10, true},                                                        // part comes back
        {60, 55, true},                                                        // beneath the later sibling
        {70, 45, true},                                                        // out from under it
        {75, 47, false},
    };
    for (const auto& move : moves) {
        const int paintsBefore = panel.Paints;
        panel.SetLeft(move.Left);
        panel.SetTop(move.Top);
        form.Invalidate();
        app->ProcessMessages();
        const std::vector<uint32_t> moved = Frame(*this, form);
        EXPECT_EQ(panel.Paints > paintsBefore, move.Repainted) << "at " << move.Left << ", " << move.Top;
        RedrawWindow(form.Handle(), nullptr, 0, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        EXPECT_TRUE(moved == Frame(*this, form)) << "at " << move.Left << ", " << move.Top;
    }

    // Carried pixels are shown without keeping a copy of what was shown: a
    // later change there, without a move, must still reach the screen.
    panel.SetLeft(panel.Left() + 1);
    form.Invalidate();
    app->ProcessMessages();
    dot.X = 3;
    dot.Invalidate();
    app->ProcessMessages();
    const int dotX = panel.Left() + dot.Left(), dotY = panel.Top() + dot.Top();
    EXPECT_EQ(Pixel(form, dotX + 3, dotY), Px(clRed)) << "a change among carried pixels was not shown";
    EXPECT_EQ(Pixel(form, dotX + 4, dotY), Px(clNavy)) << "a change among carried pixels was not shown";
}
