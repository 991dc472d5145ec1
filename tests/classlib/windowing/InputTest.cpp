// Keyboard focus, dialog keys, accelerators, mouse capture, enter/leave,
// wheel and the pointer shape.
#include "classlib/controls/ControlRegistry.h"
#include "classlib/controls/CustomControl.h"
#include "classlib/controls/Label.h"
#include "tests/support/HeadlessFixture.h"

#include <string>
#include <vector>

namespace {
std::vector<std::string>* gLog = nullptr;

void Note(const std::string& s)
{
    if (gLog) gLog->push_back(s);
}

class TBox : public TCustomControl {
public:
    explicit TBox(TComponent* owner) : TCustomControl(owner) { SetTabStop(true); }
    bool Default = false;  // Return clicks it wherever the focus is

protected:
    void Paint() override {}
    void CMDialogKey(TMessage& m) override
    {
        if (Default && m.WParam == VK_RETURN) {
            Note(Name() + " default");
            m.Result = 1;
            return;
        }
        TCustomControl::CMDialogKey(m);
    }
};

class TSpot : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;

protected:
    void CMMouseEnter(TMessage& m) override
    {
        TGraphicControl::CMMouseEnter(m);
        Note("enter " + Name());
    }
    void CMMouseLeave(TMessage& m) override
    {
        TGraphicControl::CMMouseLeave(m);
        Note("leave " + Name());
    }
};

class InputTest : public HeadlessTest {
public:
    void SetUp() override
    {
        HeadlessTest::SetUp();
        gLog = &log;
        form = &app->Create<TForm>();
        form->SetBorderStyle(bsNone);
        form->SetBounds(0, 0, 200, 100);
    }
    void TearDown() override
    {
        gLog = nullptr;
        HeadlessTest::TearDown();
    }
    TBox& AddBox(const std::string& name, int left)
    {
        auto& box = form->Create<TBox>();
        box.SetName(name);
        box.SetBounds(left, 10, 30, 30);
        box.SetParent(form);
        box.OnEnter = [](TObject* s) { Note("enter " + static_cast<TComponent*>(s)->Name()); };
        box.OnExit = [](TObject* s) { Note("exit " + static_cast<TComponent*>(s)->Name()); };
        return box;
    }
    void Key(uint16_t key, uint32_t shift = 0)
    {
        hp.InjectKeyPress(NativeOf(*form), key, shift);
        app->ProcessMessages();
    }
    std::string FocusName()
    {
        TWinControl* c = FindControl(GetFocus());
        return c ? c->Name() : "";
    }
    std::vector<std::string> log;
    TForm* form = nullptr;
};
}  // namespace

TEST_F(InputTest, TabMovesTheFocusInTabOrderSkippingWhatCannotTakeIt)
{
    auto& a = AddBox("A", 0);
    auto& b = AddBox("B", 40);
    auto& c = AddBox("C", 80);
    auto& d = AddBox("D", 120);
    b.SetTabOrder(3);  // order: A C D B
    d.SetEnabled(false);
    ShowAndSettle(*form);
    EXPECT_EQ(FocusName(), "A");
    Key(VK_TAB);
    EXPECT_EQ(FocusName(), "C");
    Key(VK_TAB);
    EXPECT_EQ(FocusName(), "B");
    Key(VK_TAB, SHIFT_STATE_SHIFT);
    EXPECT_EQ(FocusName(), "C");
    (void)a;
    (void)c;
    EXPECT_EQ(log, (std::vector<std::string>{"enter A", "exit A", "enter C", "exit C", "enter B", "exit B", "enter C"}));
}

TEST_F(InputTest, DialogKeysGoToTheFormBeforeTheFocusedControl)
{
    auto& a = AddBox("A", 0);
    auto& ok = AddBox("OK", 40);
    ok.Default = true;
    a.OnKeyDown = [](TObject*, uint16_t& key, TShiftState) { Note("key " + std::to_string(key)); };
    ShowAndSettle(*form);
    log.clear();
    Key(VK_RETURN);
    Key('X');
    EXPECT_EQ(log, (std::vector<std::string>{"OK default", "key 88"}));
}

TEST_F(InputTest, EveryKeyReachesAFormWithoutFocusableControls)
{
    std::vector<uint16_t> keys;
    form->OnKeyDown = [&](TObject*, uint16_t& key, TShiftState) { keys.push_back(key); };
    ShowAndSettle(*form);
    for (uint16_t key : {VK_TAB, VK_RETURN, VK_ESCAPE, VK_LEFT, uint16_t('A')}) Key(key);
    EXPECT_EQ(keys, (std::vector<uint16_t>{VK_TAB, VK_RETURN, VK_ESCAPE, VK_LEFT, 'A'}));
}

TEST_F(InputTest, AcceleratorOfALabelFocusesItsControl)
{
    AddBox("A", 0);
    auto& target = AddBox("B", 40);
    auto& label = form->Create<TLabel>();
    label.SetParent(form);
    label.SetCaption("&Open");
    label.SetFocusControl(&target);
    ShowAndSettle(*form);
    EXPECT_EQ(FocusName(), "A");
    Key('O', SHIFT_STATE_ALT);
    EXPECT_EQ(FocusName(), "B");
}

TEST_F(InputTest, CapturedMouseFollowsTheControlAndClicksOnlyInside)
{
    auto& spot = form->Create<TSpot>();
    spot.SetParent(form);
    spot.SetBounds(50, 20, 40, 40);
    std::vector<std::string> events;
    spot.OnMouseMove = [&](TObject*, TShiftState, int x, int y) { events.push_back("move " + std::to_string(x) + "," + std::to_string(y)); };
    spot.OnClick = [&](TObject*) { events.push_back("click"); };
    ShowAndSettle(*form);
    const auto w = NativeOf(*form);
    hp.InjectButtonDown(w, 60, 30);
    hp.InjectMotion(w, 150, 90, SHIFT_STATE_LEFT);  // outside the spot, still its
    hp.InjectButtonUp(w, 150, 90);
    hp.InjectClick(w, 70, 40);
    app->ProcessMessages();
    EXPECT_EQ(events, (std::vector<std::string>{"move 100,70", "click"}));
    EXPECT_EQ(GetCapture(), 0u);
}

TEST_F(InputTest, MouseEnterAndLeaveFollowThePointer)
{
    auto& a = form->Create<TSpot>();
    a.SetName("a");
    a.SetParent(form);
    a.SetBounds(0, 0, 50, 50);
    auto& b = form->Create<TSpot>();
    b.SetName("b");
    b.SetParent(form);
    b.SetBounds(100, 0, 50, 50);
    ShowAndSettle(*form);
    const auto w = NativeOf(*form);
    for (int x : {10, 20, 120, 180}) hp.InjectMotion(w, x, 10);
    hp.InjectLeave(w);
    app->ProcessMessages();
    EXPECT_EQ(log, (std::vector<std::string>{"enter a", "leave a", "enter b", "leave b"}));
}

TEST_F(InputTest, WheelAndDoubleClickReachTheForm)
{
    int wheel = 0, doubles = 0;
    form->OnMouseWheel = [&](TObject*, TShiftState, int delta, TPoint, bool& handled) {
        wheel += delta;
        handled = true;
    };
    form->OnDblClick = [&](TObject*) { ++doubles; };
    ShowAndSettle(*form);
    const auto w = NativeOf(*form);
    hp.InjectWheel(w, 5, 5, -120);
    hp.InjectClick(w, 5, 5);
    hp.InjectClick(w, 6, 5);
    app->ProcessMessages();
    EXPECT_EQ(wheel, -120);
    EXPECT_EQ(doubles, 1);
}

TEST_F(InputTest, DefaultCursorShowsTheParentsPointer)
{
    auto& panel = form->Create<TBox>();
    panel.SetParent(form);
    panel.SetBounds(0, 0, 100, 100);
    auto& spot = form->Create<TSpot>();
    spot.SetParent(&panel);
    spot.SetBounds(10, 10, 20, 20);
    form->SetCursor(crCross);
    ShowAndSettle(*form);
    const auto w = NativeOf(*form);
    auto shapeAt = [&](int x, int y) {
        hp.InjectMotion(w, x, y);
        app->ProcessMessages();
        return hp.Window(w)->pointer;
    };
    EXPECT_EQ(shapeAt(15, 15), platform::PointerShape::Cross) << "spot and panel default: the form's";
    panel.SetCursor(crNone);
    EXPECT_EQ(shapeAt(15, 15), platform::PointerShape::None);
    spot.SetCursor(crHandPoint);
    EXPECT_EQ(shapeAt(15, 15), platform::PointerShape::Hand);
    EXPECT_EQ(shapeAt(50, 50), platform::PointerShape::None);
    EXPECT_EQ(shapeAt(150, 50), platform::PointerShape::Cross);
    Screen->SetCursor(crHourGlass);
    EXPECT_EQ(shapeAt(15, 15), platform::PointerShape::Wait);
    Screen->SetCursor(crDefault);
}
