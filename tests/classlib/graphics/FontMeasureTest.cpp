// Fonts found by family name, their cell heights and text widths.
#include "classlib/graphics/FontEngine.h"
#include "TextTestSupport.h"

#include <climits>
#include <set>

namespace {

TFont MakeFont(const std::string& name, int height, TFontStyles style = 0)
{
    TFont font;
    font.SetName(name);
    font.SetHeight(height);
    font.SetStyle(style);
    return font;
}

std::string FamilyOf(const TFont& font)
{
    TFontUse use(font);
    return use.FamilyName();
}

} // namespace

TEST(FontFamilies, NamedFamiliesResolveToInstalledStandIns)
{
    struct Case {
        const char* Name;
        std::set<std::string> Accepted; // the family itself when installed, else its stand-ins
    };
    const Case cases[] = {
        {"MS Sans Serif", {"MS Sans Serif", "DejaVu Sans", "Liberation Sans"}},
        {"Tahoma", {"Tahoma", "DejaVu Sans", "Liberation Sans"}},
        {"Arial", {"Arial", "Liberation Sans"}},
        {"Tw Cen MT", {"Tw Cen MT", "Liberation Sans", "DejaVu Sans"}},
        {"Courier New", {"Courier New", "Liberation Mono"}},
        {"Times New Roman", {"Times New Roman", "Liberation Serif"}},
        {"No Such Family Anywhere", {"DejaVu Sans", "Liberation Sans"}},
        {"arial", {"Arial", "arial", "Liberation Sans"}},
    };
    for (const auto& c : cases) {
        const std::string family = FamilyOf(MakeFont(c.Name, -11));
        EXPECT_TRUE(c.Accepted.count(family)) << c.Name << " became " << family;
    }
}

TEST(FontFamilies, UnknownFamilyMeasuresAndDrawsLikeTheDefault)
{
    TextBitmap unknown(200, 30), standard(200, 30);
    unknown.Canvas().Font()->SetName("No Such Family Anywhere");
    const std::string text = "Change Color";
    EXPECT_GT(unknown.Canvas().TextWidth(text), 0);
    EXPECT_EQ(unknown.Canvas().TextWidth(text), standard.Canvas().TextWidth(text));
    unknown.Canvas().TextOut(2, 2, text);
    standard.Canvas().TextOut(2, 2, text);
    EXPECT_FALSE(IsRectEmpty(unknown.InkBounds()));
    EXPECT_EQ(unknown.InkBounds(), standard.InkBounds());
}

TEST(FontFamilies, StylesComeFromTheFamilyNotFromSynthesis)
{
    for (const char* name : {"MS Sans Serif", "Arial", "Courier New", "Times New Roman"})
        for (TFontStyles style : {TFontStyles(fsBold), TFontStyles(fsItalic), TFontStyles(fsBold | fsItalic)}) {
            TFontUse use(MakeFont(name, -13, style));
            EXPECT_FALSE(use.SyntheticBold()) << name << " style " << int(style);
            EXPECT_FALSE(use.SyntheticItalic()) << name << " style " << int(style);
        }
}

TEST(FontMeasure, WidthGrowsWithTheTextAndAddsUpByCharacter)
{
    TextBitmap b(10, 10);
    TCanvas& c = b.Canvas();
    EXPECT_EQ(c.TextWidth(""), 0);
    int previous = 0;
    for (const std::string text : {"V", "Vi", "Vis", "Visit", "Visit Tarnwick"}) {
        EXPECT_GT(c.TextWidth(text), previous) << text;
        previous = c.TextWidth(text);
    }
    // Whole-pixel advances and no kerning: a text is as wide as its characters.
    const std::string word = "AVAWaToYo";
    int sum = 0;
    for (char ch : word) sum += c.TextWidth(std::string(1, ch));
    EXPECT_EQ(c.TextWidth(word), sum);
}

TEST(FontMeasure, BoldIsWider)
{
    for (const char* name : {"MS Sans Serif", "Tahoma", "Arial", "Tw Cen MT", "No Such Family Anywhere"}) {
        TextBitmap b(10, 10);
        b.Canvas().Font()->SetName(name);
        const int regular = b.Canvas().TextWidth("Velmora Screensaver 1.0");
        b.Canvas().Font()->SetStyle(fsBold);
        EXPECT_GT(b.Canvas().TextWidth("Velmora Screensaver 1.0"), regular) << name;
    }
}

TEST(FontMeasure, NegativeHeightIsTheCharacterAndPositiveTheCell)
{
    TextBitmap b(10, 10);
    TCanvas& c = b.Canvas();
    c.Font()->SetName("MS Sans Serif");
    c.Font()->SetHeight(-11);
    // The interface font's 11-pixel characters sit in a 13-pixel cell.
    EXPECT_EQ(c.TextHeight("Wq"), 13);
    EXPECT_EQ(c.TextHeight(""), 13);
    for (const char* name : {"MS Sans Serif", "Arial", "Times New Roman"})
        for (int height : {-8, -11, -13, -20, -40}) {
            c.Font()->SetName(name);
            c.Font()->SetHeight(height);
            TFontUse use(*c.Font());
            const TFontMetrics& m = use.Metrics();
            EXPECT_EQ(m.Height - m.InternalLeading, -height) << name << " " << height;
            EXPECT_GT(c.TextHeight("Wq"), -height) << name << " " << height;
            EXPECT_EQ(c.TextHeight("Wq"), m.Ascent + m.Descent);
        }
    for (const char* name : {"MS Sans Serif", "Arial", "Courier New"})
        for (int height : {6, 13, 16, 21, 48}) {
            c.Font()->SetName(name);
            c.Font()->SetHeight(height);
            EXPECT_EQ(c.TextHeight("Wq"), height) << name << " " << height;
        }
}

TEST(FontMeasure, ExtremeHeightsStayBounded)
{
    for (int height : {0, 1, -1, INT_MAX, INT_MIN, -100000, 100000}) {
        TextBitmap b(60, 40);
        TCanvas& c = b.Canvas();
        c.Font()->SetHeight(height);
        const int cell = c.TextHeight("Wq");
        EXPECT_GT(cell, 0) << height;
        EXPECT_LE(cell, 2 * MaxFontPixelsPerEm) << height;
        c.TextOut(0, 0, "Wq");
        TRect r = Rect(0, 0, 60, 40);
        c.DrawText("Wq Wq Wq", r, DT_WORDBREAK);
    }
}

TEST(TextDecoding, Utf8OrElseTheSingleByteCodePage)
{
    struct Case {
        std::string Bytes;
        std::u32string Chars;
    };
    const Case cases[] = {
        {"caf\xC3\xA9", U"caf\u00E9"},            // UTF-8
        {"caf\xE9", U"caf\u00E9"},                // a single Latin-1 byte
        {"\x80 \x85 \x96", U"\u20AC \u2026 \u2013"}, // the code page's own characters
        {"\xE2\x82\xAC\xF0\x9F\x98\x80", U"\u20AC\U0001F600"},
        {"\xC0\xAF", U"\u00C0\u00AF"},            // overlong forms are not UTF-8
        {"\xED\xA0\x80", U"\u00ED\u00A0\u20AC"},  // nor are surrogates
        {"\xE2\x82", U"\u00E2\u201A"},            // a cut-off sequence
        {"\xF4\x90\x80\x80", U"\u00F4\u0090\u20AC\u20AC"}, // beyond U+10FFFF
    };
    for (const auto& c : cases) {
        std::u32string decoded;
        for (const char* p = c.Bytes.data(), *end = p + c.Bytes.size(); p < end;) decoded += NextTextChar(p, end);
        EXPECT_EQ(decoded, c.Chars) << c.Bytes;
    }
    TextBitmap b(10, 10);
    EXPECT_EQ(b.Canvas().TextWidth("caf\xC3\xA9"), b.Canvas().TextWidth("caf\xE9"));
}
