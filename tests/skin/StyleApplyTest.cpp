// How styles reach controls: the style a control starts in on a skinned form,
// passing a style to a container's direct children by their published
// properties, the theme manager, and painting a parent's image under a control.
#include "classlib/controls/Label.h"
#include "classlib/controls/Panel.h"
#include "skin/SkDraw.h"
#include "skin/SkFileTheme.h"
#include "skin/SkStyleApply.h"
#include "skin/SkStyledControl.h"
#include "skin/SkThemeManager.h"
#include "tests/skin/SkinTestSupport.h"
#include "tests/support/HeadlessFixture.h"

#include <string>
#include <vector>

namespace {

// A control that takes styles and records what it was given, in order.
class TRecordingControl : public TCustomControl, public TskStyledControl {
public:
    using TCustomControl::TCustomControl;
    TskFileTheme* FileTheme() const override { return FFileTheme; }
    void SetFileTheme(TskFileTheme* value) override
    {
        FFileTheme = value;
        Calls.push_back("FileTheme");
    }
    TskUIStyle UIStyle() const override { return FUIStyle; }
    void SetUIStyle(TskUIStyle value) override
    {
        FUIStyle = value;
        Calls.push_back("UIStyle");
    }
    std::vector<std::string> Calls;

private:
    TskFileTheme* FFileTheme = nullptr;
    TskUIStyle FUIStyle = TskUIStyle::DeepBlue;
};

// Publishes both style properties.
class TStyledPanel : public TRecordingControl {
public:
    using TRecordingControl::TRecordingControl;
};
// Has a style but publishes only "UIStyle" (like a button base class).
class TStyleOnlyPanel : public TRecordingControl {
public:
    using TRecordingControl::TRecordingControl;
};
// The panel that skins its host form.
class TSkinnedFormPanel : public TStyledPanel {
public:
    using TStyledPanel::TStyledPanel;
    bool IsSkinnedForm() const override { return true; }
};

const bool Published = [] {
    RegisterPublishedProperties<TStyledPanel>({"FileTheme", "UIStyle", "Caption"});
    RegisterPublishedProperties<TStyleOnlyPanel>({"UIStyle"});
    return true;
}();

template <class T>
T& Child(TWinControl& parent)
{
    T& child = parent.Create<T>();
    child.SetParent(&parent);
    return child;
}

class StyleApply : public HeadlessTest {};

}  // namespace

TEST_F(StyleApply, IsHasPropertyAsksTheClassByName)
{
    TComponent owner(nullptr);
    auto& styled = owner.Create<TStyledPanel>();
    auto& skinned = owner.Create<TSkinnedFormPanel>();
    auto& half = owner.Create<TStyleOnlyPanel>();
    auto& plain = owner.Create<TPanel>();
    EXPECT_TRUE(IsHasProperty(&styled, "FileTheme"));
    EXPECT_TRUE(IsHasProperty(&styled, "uistyle"));
    EXPECT_TRUE(IsHasProperty(&skinned, "FileTheme"));  // a subclass publishes what its base publishes
    EXPECT_FALSE(IsHasProperty(&styled, "Color"));
    EXPECT_FALSE(IsHasProperty(&half, "FileTheme"));
    EXPECT_TRUE(IsHasProperty(&half, "UIStyle"));
    EXPECT_FALSE(IsHasProperty(&plain, "UIStyle"));
    EXPECT_FALSE(IsHasProperty(nullptr, "UIStyle"));
}

TEST_F(StyleApply, ContainerApplyUIStyleSetsDirectChildrenThatPublishBothProperties)
{
    TComponent owner(nullptr);
    TskFileTheme& theme = owner.Create<TskFileTheme>();
    TPanel& container = owner.Create<TPanel>();
    TStyledPanel& first = Child<TStyledPanel>(container);
    TStyleOnlyPanel& half = Child<TStyleOnlyPanel>(container);
    TPanel& plain = Child<TPanel>(container);
    plain.SetColor(clRed);
    plain.SetCaption("plain");
    TLabel& label = Child<TLabel>(container);
    TStyledPanel& second = Child<TStyledPanel>(container);
    TStyledPanel& grandchild = Child<TStyledPanel>(first);

    ContainerApplyUIStyle(&container, TskUIStyle::MacOS, &theme);

    for (TStyledPanel* c : {&first, &second}) {
        EXPECT_EQ(c->UIStyle(), TskUIStyle::MacOS);
        EXPECT_EQ(c->FileTheme(), &theme);
        EXPECT_EQ(c->Calls, (std::vector<std::string>{"FileTheme", "UIStyle"}));
    }
    EXPECT_TRUE(half.Calls.empty());
    EXPECT_TRUE(grandchild.Calls.empty());
    EXPECT_EQ(plain.Color(), clRed);
    EXPECT_EQ(plain.Caption(), "plain");
    EXPECT_EQ(label.Caption(), "");

    ContainerApplyUIStyle(nullptr, TskUIStyle::MacOS, nullptr);
}

TEST_F(StyleApply, NewControlsStartInTheStyleOfTheirFormsSkinnedFormPanel)
{
    TForm& form = app->Create<TForm>();
    EXPECT_EQ(GetSkFormStyle(&form), TskUIStyle::DeepBlue);  // no skinned form panel yet
    TStyledPanel& other = Child<TStyledPanel>(form);
    other.SetUIStyle(TskUIStyle::WinXP);
    EXPECT_EQ(GetSkFormStyle(&form), TskUIStyle::DeepBlue);
    TSkinnedFormPanel& skin = Child<TSkinnedFormPanel>(form);
    skin.SetUIStyle(TskUIStyle::MacOS);
    TSkinnedFormPanel& second = Child<TSkinnedFormPanel>(form);
    second.SetUIStyle(TskUIStyle::Protein);
    EXPECT_EQ(GetSkFormStyle(&form), TskUIStyle::MacOS);  // the first one

    TPanel& panel = Child<TPanel>(form);
    Child<TSkinnedFormPanel>(panel).SetUIStyle(TskUIStyle::WinXP);
    EXPECT_EQ(GetSkFormStyle(&panel), TskUIStyle::DeepBlue);  // not a form
    EXPECT_EQ(GetSkFormStyle(nullptr), TskUIStyle::DeepBlue);
}

TEST_F(StyleApply, ThemeManagerSetsItsStyleOnTheComponentsItNames)
{
    TForm& form = app->Create<TForm>();
    TStyledPanel& a = Child<TStyledPanel>(form);
    a.SetName("A");
    TStyleOnlyPanel& b = Child<TStyleOnlyPanel>(form);
    b.SetName("B");
    TskThemeManager& manager = form.Create<TskThemeManager>();
    TskFileTheme* theme = &form.Create<TskFileTheme>();
    manager.SetComponents({"A", "B", "Missing"});
    manager.SetFileTheme(theme);
    manager.SetUIStyle(TskUIStyle::BlueGlass);
    EXPECT_EQ(a.UIStyle(), TskUIStyle::BlueGlass);
    EXPECT_EQ(a.FileTheme(), theme);
    EXPECT_TRUE(b.Calls.empty());

    theme->Free();  // the manager lets go of a theme that goes away
    EXPECT_EQ(manager.FileTheme(), nullptr);
    manager.SetUIStyle(TskUIStyle::MacOS);
    EXPECT_EQ(a.FileTheme(), nullptr);
}

namespace {

// Paints a numbered picture over its client area, so every pixel says where it is.
class TNumberedPanel : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int Paints = 0;

protected:
    void Paint() override
    {
        ++Paints;
        for (int y = 0; y < Height(); ++y)
            for (int x = 0; x < Width(); ++x) Canvas()->SetPixels(x, y, PixelToRGB(skintest::Numbered(x, y)));
    }
};

// Asks for its parent's image under it while it paints.
class TSeeThroughLabel : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;

protected:
    void Paint() override
    {
        TBitmap back(Width(), Height());
        DoTrans(*back.Canvas(), *this);
        Canvas()->Draw(0, 0, &back);
    }
};

}  // namespace

TEST_F(StyleApply, DoTransPaintsTheParentsImageUnderTheControl)
{
    TForm& form = app->Create<TForm>();
    TNumberedPanel& parent = Child<TNumberedPanel>(form);
    parent.SetBounds(0, 0, 40, 30);
    TPanel& control = Child<TPanel>(parent);
    control.SetBounds(7, 5, 10, 6);

    TBitmap back;
    skintest::Fill(back, 10, 6, 0);
    TCanvas& canvas = *back.Canvas();
    canvas.Brush()->SetColor(clLime);
    DoTrans(canvas, control);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 10; ++x) ASSERT_EQ(skintest::At(back, x, y), skintest::Numbered(7 + x, 5 + y)) << x << ", " << y;
    // The canvas is left as it was.
    EXPECT_EQ(canvas.Origin(), TPoint(0, 0));
    EXPECT_EQ(canvas.ClipRect(), Rect(0, 0, 10, 6));
    EXPECT_EQ(canvas.Brush()->Color(), clLime);

    // A control reaching past its parent's client area gets nothing from beyond it.
    control.SetBounds(35, 26, 10, 6);
    skintest::Fill(back, 10, 6, 0);
    DoTrans(canvas, control);
    EXPECT_EQ(skintest::At(back, 4, 3), skintest::Numbered(39, 29));
    EXPECT_EQ(skintest::At(back, 5, 3), 0u);
    EXPECT_EQ(skintest::At(back, 4, 4), 0u);

    // Without a parent nothing is painted.
    TPanel& orphan = form.Create<TPanel>();
    skintest::Fill(back, 10, 6, 0);
    DoTrans(canvas, orphan);
    EXPECT_EQ(skintest::At(back, 0, 0), 0u);
}

TEST_F(StyleApply, DoTransFromANonWindowedChildDoesNotRecurse)
{
    // The parent's paint also paints its non-windowed children, this one among
    // them: its second request for a background must not start another paint
    // (it would never end).
    TForm& form = app->Create<TForm>();
    form.SetBounds(0, 0, 60, 40);
    TNumberedPanel& parent = Child<TNumberedPanel>(form);
    parent.SetBounds(0, 0, 40, 30);
    TSeeThroughLabel& label = Child<TSeeThroughLabel>(parent);
    label.SetBounds(3, 4, 8, 5);
    ShowAndSettle(form);
    const int paints = parent.Paints;
    TBitmap back;
    skintest::Fill(back, 8, 5, 0);
    DoTrans(*back.Canvas(), label);
    EXPECT_EQ(parent.Paints, paints + 1);
}
