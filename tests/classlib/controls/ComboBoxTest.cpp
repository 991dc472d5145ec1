// The owner-drawn drop-down combo box: its list opens in a pop-up window and
// a pick raises the notifications in order.
#include "classlib/controls/ComboBox.h"
#include "tests/support/HeadlessFixture.h"

#include <string>
#include <vector>

namespace {
class TColorList : public TCustomComboBox {
public:
    explicit TColorList(TComponent* owner) : TCustomComboBox(owner)
    {
        SetStyle(csOwnerDrawFixed);
        SetItemHeight(15);
        for (const char* name : {"clBlack", "clMaroon", "clGreen"}) Items()->Add(name);
    }
    std::vector<std::string> Drawn;

protected:
    void DrawItem(int index, TRect rect, TOwnerDrawState state) override
    {
        Drawn.push_back(std::to_string(index) + ((state & odComboBoxEdit) ? " face" : " list"));
        Canvas()->Brush()->SetColor((state & odSelected) ? clHighlight : clWhite);
        Canvas()->FillRect(rect);
    }
};
}  // namespace

TEST_F(HeadlessTest, ComboListOpensInAPopupAndAPickNotifiesInOrder)
{
    auto& form = app->Create<TForm>();
    form.SetBorderStyle(bsNone);
    form.SetBounds(50, 50, 200, 100);
    auto& combo = form.Create<TColorList>();
    combo.SetParent(&form);
    combo.SetBounds(16, 40, 105, 21);
    std::vector<std::string> events;
    combo.OnClick = [&](TObject*) { events.push_back("click " + combo.Text()); };
    combo.OnChange = [&](TObject*) { events.push_back("change " + std::to_string(combo.ItemIndex())); };
    combo.OnSelect = [&](TObject*) { events.push_back("select"); };
    ShowAndSettle(form);
    EXPECT_EQ(combo.ItemIndex(), -1);

    hp.InjectClick(NativeOf(form), 30, 50);
    app->ProcessMessages();
    ASSERT_TRUE(combo.DroppedDown());
    const auto list = NativeWindowOf(combo.ListHandle());
    const auto* popup = hp.Window(list);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->params.kind, platform::WindowKind::PopupList);
    EXPECT_EQ(popup->params.bounds, (platform::Rect{66, 111, 171, 158})) << "below the control, 3 items of 15 and a border";
    EXPECT_EQ(combo.Drawn, (std::vector<std::string>{"0 list", "1 list", "2 list"}));

    // Second item (y 16..30 inside the border).
    hp.InjectClick(list, 20, 1 + 15 + 5);
    app->ProcessMessages();
    EXPECT_FALSE(combo.DroppedDown());
    EXPECT_TRUE(hp.Window(list) == nullptr || hp.Window(list)->destroyed);
    EXPECT_EQ(combo.ItemIndex(), 1);
    EXPECT_EQ(events, (std::vector<std::string>{"click clMaroon", "change 1", "select"}));

    events.clear();
    hp.InjectKeyPress(NativeOf(form), VK_DOWN);
    app->ProcessMessages();
    EXPECT_EQ(combo.Text(), "clGreen");
    EXPECT_EQ(events, (std::vector<std::string>{"click clGreen", "change 2", "select"}));
}

TEST_F(HeadlessTest, ComboListClosesOnAClickOutsideWithoutPicking)
{
    auto& form = app->Create<TForm>();
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, 200, 150);
    auto& combo = form.Create<TColorList>();
    combo.SetParent(&form);
    combo.SetBounds(10, 10, 100, 21);
    int changes = 0;
    combo.OnChange = [&](TObject*) { ++changes; };
    ShowAndSettle(form);
    combo.SetDroppedDown(true);
    ASSERT_TRUE(combo.DroppedDown());
    hp.InjectClick(NativeWindowOf(combo.ListHandle()), 150, 300);  // far outside (the list holds the capture)
    app->ProcessMessages();
    EXPECT_FALSE(combo.DroppedDown());
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(combo.ItemIndex(), -1);
}
