// The built-in style table through its accessors: typed values, the neutral
// answers for a wrong type, an entry outside 1..48 and a style that is not
// built in, bitmaps by name and slice, and where a FromThemeFile style reads.
#include "classlib/graphics/Bitmap.h"
#include "classlib/system/Resources.h"
#include "skin/SkFileTheme.h"
#include "skin/SkStyleTable.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

using S = TskUIStyle;
// A byte no style has: what a corrupt store could hold.
const TskUIStyle Corrupt = static_cast<TskUIStyle>(6);
const TskUIStyle CorruptHigh = static_cast<TskUIStyle>(255);

const TskUIStyle BuiltIn[] = {S::MacOS, S::WinXP, S::DeepBlue, S::Protein, S::BlueGlass};

std::string StyleName(TskUIStyle style) { return std::to_string(static_cast<int>(style)); }

}  // namespace

TEST(StyleTable, AccessorsReadTheirTypeAndOtherwiseTheNeutralValue)
{
    enum TAccessor { Int, Color, Bool };
    struct TCase {
        TskUIStyle Style;
        int Index;
        TAccessor Accessor;
        int Expected;
    } const cases[] = {
        {S::MacOS, 8, Int, -2},
        {S::MacOS, 15, Int, -1},           // a colour entry
        {S::MacOS, 15, Color, 0xE7E7E7},
        {S::FromThemeFile, 15, Color, 0},
        {S::FromThemeFile, 9, Int, -1},
        {S::WinXP, 16, Color, 0xC82C00},
        {S::WinXP, 17, Int, 3},
        {S::BlueGlass, 13, Int, 270},
        {S::Protein, 9, Int, 2},
        {S::BlueGlass, 48, Color, 0xE7E7E7},  // the last entry
        {S::MacOS, 1, Int, -1},            // a bitmap entry
        {S::MacOS, 2, Bool, 1},
        {S::WinXP, 2, Bool, 0},
        {S::Protein, 6, Bool, 1},
        {S::MacOS, 9, Bool, 0},            // an integer entry
        {S::MacOS, 44, Color, 0x000000},
        {S::DeepBlue, 44, Color, 0xFFFFFF},
        // Entries outside the table.
        {S::MacOS, 0, Int, -1},
        {S::MacOS, 49, Int, -1},
        {S::MacOS, -1, Color, 0},
        {S::MacOS, INT_MAX, Bool, 0},
        {S::MacOS, INT_MIN, Int, -1},
        // Styles that are not built in.
        {Corrupt, 8, Int, -1},
        {CorruptHigh, 15, Color, 0},
        {Corrupt, 2, Bool, 0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE("style " + StyleName(c.Style) + ", entry " + std::to_string(c.Index));
        switch (c.Accessor) {
        case Int: EXPECT_EQ(GetInsideThemeInt(c.Style, c.Index), c.Expected); break;
        case Color: EXPECT_EQ(GetInsideThemeColor(c.Style, c.Index), c.Expected); break;
        case Bool: EXPECT_EQ(GetInsideThemeBool(c.Style, c.Index), c.Expected != 0); break;
        }
    }
}

TEST(StyleTable, EveryBitmapEntryOfEveryStyleNamesAResource)
{
    int named = 0;
    for (int index = 1; index <= skStyleEntryCount; ++index) {
        if (StyleEntry(index)->Type != TskType::Str) continue;
        for (TskUIStyle style : BuiltIn) {
            const std::string name = GetInsideThemeBitmapName(style, index);
            if (index == 43 || index == 45 || index == 46) {
                EXPECT_EQ(name, "") << "entry " << index;  // only theme files give these a value
                continue;
            }
            ++named;
            EXPECT_TRUE(FindResource(name, RT_BITMAP)) << name << " (entry " << index << ")";
        }
    }
    EXPECT_EQ(named, 19 * 5);
}

TEST(StyleTable, BitmapEntriesLoadWholeOrOneSlice)
{
    TBitmap whole;
    GetInsideThemeBitmap(S::Protein, 1, &whole);
    EXPECT_EQ(whole.Width(), 222);
    EXPECT_EQ(whole.Height(), 21);

    TBitmap pressed;
    GetInsideThemeBitmap(S::Protein, 1, &pressed, 3, 3);
    ASSERT_EQ(pressed.Width(), 74);
    ASSERT_EQ(pressed.Height(), 21);
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 74; ++x) ASSERT_EQ(pressed.ScanLine(y)[x], whole.ScanLine(y)[148 + x]) << x << ", " << y;

    TBitmap tab;
    GetInsideThemeBitmap(S::MacOS, 39, &tab, 2, 1);
    EXPECT_EQ(tab.Width(), 18);
    EXPECT_EQ(tab.Height(), 27);

    GetInsideThemeBitmap(S::MacOS, 1, nullptr);  // nothing to load into: nothing happens
}

TEST(StyleTable, NoBitmapLeavesTheBitmapAsItWas)
{
    struct TCase {
        const char* Why;
        TskUIStyle Style;
        int Index;
    } const cases[] = {
        {"a colour entry", S::MacOS, 15},
        {"an empty name", S::MacOS, 43},
        {"entry 0", S::MacOS, 0},
        {"entry 49", S::MacOS, 49},
        {"FromThemeFile", S::FromThemeFile, 1},
        {"a corrupt style", Corrupt, 1},
        {"a corrupt style", CorruptHigh, 39},
    };
    for (const TCase& c : cases) {
        TBitmap bitmap(3, 2);
        bitmap.ScanLine(1)[2] = 0x123456;
        GetInsideThemeBitmap(c.Style, c.Index, &bitmap, 2, 1);
        EXPECT_EQ(bitmap.Width(), 3) << c.Why;
        EXPECT_EQ(bitmap.Height(), 2) << c.Why;
        EXPECT_EQ(bitmap.ScanLine(1)[2], 0x123456u) << c.Why;
    }
}

TEST(StyleTable, FromThemeFileReadsAsDeepBlueWithoutAUsableThemeFile)
{
    TComponent owner(nullptr);
    TskFileTheme& theme = owner.Create<TskFileTheme>();
    struct TCase {
        const char* Why;
        const TskFileTheme* Theme;
        TskUIStyle UIStyle;
        TskUIStyle Expected;
    } const cases[] = {
        {"a built-in style, no theme", nullptr, S::MacOS, S::MacOS},
        {"a built-in style, a theme", &theme, S::Protein, S::Protein},
        {"FromThemeFile, no theme", nullptr, S::FromThemeFile, S::DeepBlue},
        {"FromThemeFile, a theme not loaded", &theme, S::FromThemeFile, S::DeepBlue},
        {"a corrupt style passes through", nullptr, Corrupt, Corrupt},
    };
    for (const TCase& c : cases) {
        TskUIStyle style = S::WinXP;
        EXPECT_FALSE(UsingFileTheme(c.Theme, c.UIStyle, style)) << c.Why;
        EXPECT_EQ(style, c.Expected) << c.Why;
    }
    EXPECT_EQ(GetThemeInt(&theme, S::FromThemeFile, 9), 2);
    EXPECT_EQ(GetThemeColor(nullptr, S::FromThemeFile, 15), 0xE8E8E8);
    EXPECT_EQ(GetThemeBool(nullptr, S::BlueGlass, 2), true);
    TBitmap face;
    GetThemeBitmap(nullptr, S::FromThemeFile, 1, &face, 3, 1);
    EXPECT_EQ(face.Width(), 74);  // DEEPBLUE_BUTTON's slice
}
