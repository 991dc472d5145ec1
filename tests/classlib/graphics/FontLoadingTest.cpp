// Fonts load on first use only, and without any font file text is simply absent.
#include "classlib/graphics/FontEngine.h"
#include "TextTestSupport.h"

#include <cstdlib>
#include <fstream>

namespace {

// Runs in a fresh process of this test binary: drawing shapes and bitmaps loads
// no font; the first text does.
int LoadsFontsOnlyForText()
{
    TBitmap bitmap(20, 20);
    bitmap.ScanLine(1)[1] = 0xFF0000;
    if (FontEngineStats().FontLoads != 0) return 1;
    if (bitmap.Canvas()->TextWidth("x") <= 0) return 2;
    return FontEngineStats().FontLoads == 1 ? 0 : 3;
}

// Runs in a fresh process whose font configuration knows no font at all.
int WorksWithoutAnyFont()
{
    TTempFolder dir;
    const std::string empty = dir.File("nofonts");
    std::filesystem::create_directory(empty);
    const std::string config = dir.File("fonts.conf");
    std::ofstream(config) << "<?xml version=\"1.0\"?>\n<fontconfig>\n<dir>" << empty << "</dir>\n<cachedir>"
                          << dir.File("cache") << "</cachedir>\n</fontconfig>\n";
    setenv("FONTCONFIG_FILE", config.c_str(), 1);

    TextBitmap b(100, 40);
    TCanvas& c = b.Canvas();
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(clRed);
    int failures = 0;
    for (const char* name : {"MS Sans Serif", "Arial", "No Such Family"}) {
        c.Font()->SetName(name);
        failures += c.TextWidth("text") != 0 || c.TextHeight("text") != 0;
        c.TextOut(5, 5, "text");
        TRect r = Rect(0, 0, 100, 40);
        failures += c.DrawText("some wrapped text", r, DT_WORDBREAK) != 0;
        failures += c.DrawText("some wrapped text", r, DT_WORDBREAK | DT_CALCRECT) != 0 || r != Rect(0, 0, 0, 0);
    }
    failures += !IsRectEmpty(b.InkBounds());
    return failures;
}

} // namespace

TEST(FontLoadingDeathTest, NoFontIsLoadedBeforeTheFirstText)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(std::exit(LoadsFontsOnlyForText()), ::testing::ExitedWithCode(0), "");
}

TEST(FontLoadingDeathTest, WithoutFontsTextMeasuresZeroDrawsNothingAndSaysSoOnce)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(std::exit(WorksWithoutAnyFont()), ::testing::ExitedWithCode(0),
                "^velmora: no usable font file found; text is not drawn\n$");
}
