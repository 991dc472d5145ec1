// The skin bitmaps compiled into the program: every one at its size and depth,
// the form background patterns row by row, and the see-through magenta where
// the controls draw with it and nowhere they draw opaque.
#include "classlib/graphics/Bitmap.h"
#include "classlib/system/Resources.h"
#include "skin/SkDraw.h"
#include "skin/SkStyleTable.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr uint32_t Magenta = 0xFF00FF;

struct TExpectedBitmap {
    const char* Name;
    int Width, Height, Bits;
};

// Straight from the file: the depth the resource was stored with.
int StoredBitCount(const std::string& name)
{
    const auto data = FindResource(name, RT_BITMAP);
    if (!data || data->Size < 30) return -1;
    return data->Data[28] | data->Data[29] << 8;
}

uint32_t At(const TBitmap& b, int x, int y) { return b.ScanLine(y)[x] & 0xFFFFFF; }

TBitmap& Load(TBitmap& bitmap, const std::string& name)
{
    bitmap.LoadFromResourceName(name);
    return bitmap;
}

}  // namespace

TEST(SkinBitmaps, EachHasItsSizeAndDepth)
{
    const TExpectedBitmap bitmaps[] = {
        {"MACOS_BUTTON", 252, 23, 8}, {"WINXP_BUTTON", 54, 21, 8}, {"DEEPBLUE_BUTTON", 222, 21, 4},
        {"PROTEIN_BUTTON", 222, 21, 8}, {"BLUEGLASS_BUTTON", 231, 27, 8},
        {"MACOS_CHECKBOX", 60, 17, 8}, {"WINXP_CHECKBOX", 52, 13, 8}, {"DEEPBLUE_CHECKBOX", 52, 13, 4},
        {"PROTEIN_CHECKBOX", 52, 13, 4}, {"BLUEGLASS_CHECKBOX", 52, 13, 4},
        {"MACOS_RADIOBUTTON", 64, 17, 8}, {"WINXP_RADIOBUTTON", 52, 13, 8}, {"DEEPBLUE_RADIOBUTTON", 52, 13, 4},
        {"PROTEIN_RADIOBUTTON", 52, 13, 4}, {"BLUEGLASS_RADIOBUTTON", 52, 13, 4},
        {"MACOS_TITLEBTN", 306, 17, 24}, {"WINXP_TITLEBTN", 378, 21, 24}, {"DEEPBLUE_TITLEBTN", 342, 19, 4},
        {"PROTEIN_TITLEBTN", 342, 19, 4}, {"BLUEGLASS_TITLEBTN", 342, 19, 4},
        {"MACOS_TITLE_LEFT", 48, 23, 8}, {"WINXP_TITLE_LEFT", 35, 29, 8}, {"DEEPBLUE_TITLE_LEFT", 97, 32, 8},
        {"PROTEIN_TITLE_LEFT", 441, 23, 8}, {"BLUEGLASS_TITLE_LEFT", 162, 33, 8},
        {"MACOS_TITLE_CLIENT", 49, 23, 8}, {"WINXP_TITLE_CLIENT", 37, 29, 8}, {"DEEPBLUE_TITLE_CLIENT", 98, 32, 4},
        {"PROTEIN_TITLE_CLIENT", 1, 23, 4}, {"BLUEGLASS_TITLE_CLIENT", 179, 33, 8},
        {"MACOS_TITLE_RIGHT", 48, 23, 8}, {"WINXP_TITLE_RIGHT", 35, 29, 8}, {"DEEPBLUE_TITLE_RIGHT", 97, 32, 8},
        {"PROTEIN_TITLE_RIGHT", 1, 23, 8}, {"BLUEGLASS_TITLE_RIGHT", 101, 33, 8},
        {"MACOS_PROGRESSBAR", 13, 10, 8}, {"WINXP_PROGRESSBAR", 6, 10, 8}, {"DEEPBLUE_PROGRESSBAR", 1, 10, 8},
        {"PROTEIN_PROGRESSBAR", 1, 10, 8}, {"BLUEGLASS_PROGRESSBAR", 1, 10, 8},
        {"MACOS_TRACKBAR_BAR", 45, 5, 24}, {"WINXP_TRACKBAR_BAR", 45, 8, 24}, {"DEEPBLUE_TRACKBAR_BAR", 45, 4, 24},
        {"PROTEIN_TRACKBAR_BAR", 45, 4, 24}, {"BLUEGLASS_TRACKBAR_BAR", 45, 4, 24},
        {"MACOS_TRACKBAR_SLIDER", 11, 20, 24}, {"WINXP_TRACKBAR_SLIDER", 11, 21, 24},
        {"DEEPBLUE_TRACKBAR_SLIDER", 11, 20, 24}, {"PROTEIN_TRACKBAR_SLIDER", 11, 20, 24},
        {"BLUEGLASS_TRACKBAR_SLIDER", 11, 20, 24},
        {"MACOS_TRACKBAR_SLIDER_V", 19, 11, 8}, {"WINXP_TRACKBAR_SLIDER_V", 22, 11, 8},
        {"DEEPBLUE_TRACKBAR_SLIDER_V", 18, 11, 8}, {"PROTEIN_TRACKBAR_SLIDER_V", 18, 11, 8},
        {"BLUEGLASS_TRACKBAR_SLIDER_V", 18, 11, 8},
        {"MACOS_SCROLLBAR_BUTTON", 96, 22, 8}, {"WINXP_SCROLLBAR_BUTTON", 96, 17, 8},
        {"DEEPBLUE_SCROLLBAR_BUTTON", 96, 16, 4}, {"PROTEIN_SCROLLBAR_BUTTON", 96, 16, 8},
        {"BLUEGLASS_SCROLLBAR_BUTTON", 102, 16, 4},
        {"MACOS_SCROLLBAR_TRACK", 33, 16, 8}, {"WINXP_SCROLLBAR_TRACK", 21, 16, 8}, {"DEEPBLUE_SCROLLBAR_TRACK", 21, 16, 4},
        {"PROTEIN_SCROLLBAR_TRACK", 21, 16, 4}, {"BLUEGLASS_SCROLLBAR_TRACK", 21, 16, 8},
        {"MACOS_CHECKLIST", 40, 11, 8}, {"WINXP_CHECKLIST", 44, 11, 4}, {"DEEPBLUE_CHECKLIST", 44, 11, 4},
        {"PROTEIN_CHECKLIST", 44, 11, 4}, {"BLUEGLASS_CHECKLIST", 44, 11, 4},
        {"MACOS_SCROLLBUTTON", 72, 18, 8}, {"WINXP_SCROLLBUTTON", 72, 18, 8}, {"MORE_SCROLLBUTTON", 72, 17, 4},
        {"MACOS_TAB", 36, 27, 8}, {"WINXP_TAB", 18, 18, 8}, {"DEEPBLUE_TAB", 12, 17, 4}, {"PROTEIN_TAB", 18, 17, 4},
        {"BLUEGLASS_TAB", 18, 17, 4},
        {"MACOS_TAB_LINE", 17, 7, 8}, {"WINXP_TAB_LINE", 8, 1, 4}, {"DEEPBLUE_TAB_LINE", 5, 5, 4},
        {"PROTEIN_TAB_LINE", 10, 5, 4}, {"BLUEGLASS_TAB_LINE", 10, 5, 4},
        {"MACOS_SIDECHENNEL_HANDLE", 7, 84, 8}, {"WINXP_SIDECHENNEL_HANDLE", 8, 86, 8},
        {"DEEPBLUE_SIDECHENNEL_HANDLE", 8, 83, 4}, {"PROTEIN_SIDECHENNEL_HANDLE", 8, 83, 4},
        {"BLUEGLASS_SIDECHENNEL_HANDLE", 8, 86, 8},
        {"MACOS_SIDECHENNEL_BAR", 1, 21, 8}, {"WINXP_SIDECHENNEL_BAR", 1, 21, 8}, {"DEEPBLUE_SIDECHENNEL_BAR", 1, 20, 4},
        {"PROTEIN_SIDECHENNEL_BAR", 1, 21, 4}, {"BLUEGLASS_SIDECHENNEL_BAR", 1, 21, 4},
        {"MACOS_FORM_BACKGROUND", 8, 8, 4}, {"PROTEIN_FORM_BACKGROUND", 8, 8, 4}, {"PANEL_BUTTON", 52, 12, 4},
        {"MACOS_MENU_BAR", 1, 22, 4}, {"MACOS_MENU_SELECT", 1, 21, 8},
    };
    for (const TExpectedBitmap& expected : bitmaps) {
        SCOPED_TRACE(expected.Name);
        TBitmap bitmap;
        ASSERT_NO_THROW(bitmap.LoadFromResourceName(expected.Name));
        EXPECT_EQ(bitmap.Width(), expected.Width);
        EXPECT_EQ(bitmap.Height(), expected.Height);
        EXPECT_EQ(StoredBitCount(expected.Name), expected.Bits);
    }
}

TEST(SkinBitmaps, FormBackgroundsAreRowsOfStripes)
{
    struct TCase {
        const char* Name;
        uint32_t Rows[8];
    } const cases[] = {
        {"MACOS_FORM_BACKGROUND", {0xFFFFFF, 0xEFEFEF, 0xE8E8E8, 0xEFEFEF, 0xFFFFFF, 0xEFEFEF, 0xE8E8E8, 0xEFEFEF}},
        {"PROTEIN_FORM_BACKGROUND", {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xEEEEEE, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xEEEEEE}},
    };
    for (const TCase& c : cases) {
        TBitmap pattern;
        Load(pattern, c.Name);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) EXPECT_EQ(At(pattern, x, y), c.Rows[y]) << c.Name << " at " << x << ", " << y;
    }
}

TEST(SkinBitmaps, SeeThroughMarksAndButtonsHaveMagentaCorners)
{
    // Each slice is drawn with its bottom-left pixel (radio buttons, tab scroll
    // buttons, see-through title buttons) or with magenta (tabs, the corners of
    // see-through push buttons) as the see-through colour.
    struct TCase {
        const char* Name;
        int Slices;
    } const cases[] = {
        {"MACOS_RADIOBUTTON", 4}, {"WINXP_RADIOBUTTON", 4}, {"PROTEIN_RADIOBUTTON", 4},
        {"MACOS_SCROLLBUTTON", 4}, {"MORE_SCROLLBUTTON", 4},
        {"PROTEIN_TITLEBTN", 18}, {"BLUEGLASS_TITLEBTN", 18},
        {"MACOS_TAB", 2}, {"WINXP_TAB", 2}, {"DEEPBLUE_TAB", 2},
        {"MACOS_BUTTON", 3}, {"BLUEGLASS_BUTTON", 3},
    };
    for (const TCase& c : cases) {
        TBitmap whole;
        Load(whole, c.Name);
        for (int i = 1; i <= c.Slices; ++i) {
            TBitmap slice;
            SpitBitmap(whole, slice, c.Slices, i);
            EXPECT_EQ(At(slice, 0, 0), Magenta) << c.Name << " slice " << i << ", top-left";
            EXPECT_EQ(At(slice, slice.Width() - 1, 0), Magenta) << c.Name << " slice " << i << ", top-right";
            if (std::string(c.Name).find("_TAB") == std::string::npos) {
                EXPECT_EQ(At(slice, 0, slice.Height() - 1), Magenta) << c.Name << " slice " << i << ", bottom-left";
            }
        }
    }
}

TEST(SkinBitmaps, TabMiddlesHoldNoMagenta)
{
    // A tab's middle third is stretched without transparency: magenta there would show.
    for (const char* name : {"MACOS_TAB", "WINXP_TAB", "DEEPBLUE_TAB", "PROTEIN_TAB", "BLUEGLASS_TAB"}) {
        TBitmap tabs;
        Load(tabs, name);
        const int slice = tabs.Width() / 2, third = slice / 3;
        for (int s = 0; s < 2; ++s)
            for (int y = 0; y < tabs.Height(); ++y)
                for (int x = s * slice + third; x < s * slice + 2 * third; ++x)
                    ASSERT_NE(At(tabs, x, y), Magenta) << name << " at " << x << ", " << y;
    }
}

TEST(SkinBitmaps, OpaqueTitleButtonsShowTheTitleBarAroundThem)
{
    // Title buttons of the styles that draw them opaque sit on the bar at the
    // style's button top (the control box one row higher) and must match it there.
    for (TskUIStyle style : {TskUIStyle::MacOS, TskUIStyle::WinXP, TskUIStyle::DeepBlue}) {
        ASSERT_FALSE(GetInsideThemeBool(style, 6));
        TBitmap buttons, bar;
        GetInsideThemeBitmap(style, 5, &buttons);
        GetInsideThemeBitmap(style, 11, &bar);
        const int top = GetInsideThemeInt(style, 9);
        for (int i = 1; i <= 18; ++i) {
            TBitmap slice;
            SpitBitmap(buttons, slice, 18, i);
            const int row = i <= 3 ? top - 1 : top;
            for (int y : {0, slice.Height() - 1})
                EXPECT_EQ(At(slice, 0, y), At(bar, 0, row + y)) << GetInsideThemeBitmapName(style, 5) << " slice " << i << " row " << y;
        }
    }
}

TEST(SkinBitmaps, PanelButtonSitsOnTheCaptionBarsRows)
{
    // The roll-up button is drawn opaque at rows 4 to 15 of the MacOS caption bar.
    TBitmap button, bar;
    Load(button, "PANEL_BUTTON");
    Load(bar, "MACOS_SIDECHENNEL_BAR");
    for (int y = 0; y < 12; ++y)
        for (int x : {0, 12, 13, 51}) EXPECT_EQ(At(button, x, y), At(bar, 0, 4 + y)) << x << ", " << y;
}
