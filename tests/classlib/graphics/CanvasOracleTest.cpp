// The canvas against the reference pictures of the platform's drawing primitives:
// every case must light exactly the reference pixels in exactly their colours.
#include "tests/support/CanvasCases.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

using CanvasCases::TPixelMap;
using CanvasCases::TWindow;

namespace {

const char* const CasesPath = VELMORA_SOURCE_DIR "/tests/data/canvas_cases.txt";

uint32_t PixelOf(const TPixelMap& map, int x, int y)
{
    const auto it = map.find({x, y});
    return it == map.end() ? 0 : it->second;
}

// The reference window widened to hold every pixel our canvas lit.
TWindow Covering(TWindow w, const TPixelMap& lit)
{
    int x0 = w.X, y0 = w.Y, x1 = w.X + w.Width, y1 = w.Y + w.Height;
    for (const auto& [p, px] : lit) {
        x0 = std::min(x0, p.first);
        y0 = std::min(y0, p.second);
        x1 = std::max(x1, p.first + 1);
        y1 = std::max(y1, p.second + 1);
    }
    return {x0, y0, x1 - x0, y1 - y0};
}

std::string IndentedRows(const TPixelMap& lit, const TWindow& w)
{
    std::string rows = CanvasCases::Rows(lit, w);
    std::string out = "    ";
    for (char c : rows) out += c == '/' ? std::string("\n    ") : std::string(1, c);
    return out + "\n";
}

std::string Hex(uint32_t pixel) { return CanvasCases::HexPixel(pixel); }

// Empty when actual shows the reference picture; else what differs, with both pictures.
std::string Compare(const TPixelMap& expected, const TWindow& window, bool spill, const TPixelMap& actual)
{
    const TWindow all = Covering(window, actual);
    for (int y = all.Y; y < all.Y + all.Height; ++y)
        for (int x = all.X; x < all.X + all.Width; ++x) {
            const bool known = x >= window.X && x < window.X + window.Width && y >= window.Y &&
                               y < window.Y + window.Height;
            // Outside the reference window the reference says nothing when it spills.
            if (!known && spill) continue;
            const uint32_t want = PixelOf(expected, x, y), got = PixelOf(actual, x, y);
            if (want == got) continue;
            std::ostringstream out;
            out << "first difference at (" << x << ", " << y << "): expected " << Hex(want) << ", drawn " << Hex(got)
                << "\n  expected (window at " << all.X << ", " << all.Y << "):\n"
                << IndentedRows(expected, all) << "  drawn:\n"
                << IndentedRows(actual, all);
            return out.str();
        }
    return {};
}

} // namespace

TEST(CanvasOracle, EveryReferenceCaseLightsExactlyItsPixels)
{
    std::ifstream in(CasesPath);
    ASSERT_TRUE(in) << "the reference cases are missing: cannot read " << CasesPath;
    std::string line;
    int lineNumber = 0, cases = 0;
    TBitmap bitmap;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (line.empty() || line[0] == '#') continue;
        ++cases;
        CanvasCases::TCase c;
        TWindow window;
        TPixelMap expected;
        bool spill = false;
        std::string error;
        if (!CanvasCases::ParseCase(line, c, error) || !CanvasCases::ParseResult(line, window, expected, spill, error) ||
            !CanvasCases::DrawCase(c, bitmap, error)) {
            ADD_FAILURE() << "line " << lineNumber << ": " << error << "\n  " << line;
            continue;
        }
        const std::string difference = Compare(expected, window, spill, CanvasCases::LitPixels(bitmap));
        if (!difference.empty()) ADD_FAILURE() << "line " << lineNumber << ": " << c.Description << "\n  " << difference;
    }
    EXPECT_GT(cases, 0) << CasesPath << " holds no cases";
}

// The tool prints what it drew: its records read back as the drawn pixels,
// colours outside the record alphabet included.
TEST(CanvasOracle, PrintedRecordsReadBackAsTheDrawnPicture)
{
    for (const char* text : {"ellipse w=9 h=7 pen=123456 brush=ffffff", "polygon name=t pen=ff0000 brush=00ff00 "
                                                                         "mode=winding pts=1,1;12,3;4,10",
                             "pattern kind=dib a=ff0000 b=abcdef mark=00ff00 call=fillrect brushorg=3,1 rect=2,2,13,9",
                             "line from=-20,-20 to=70,40 pen=ffff00"}) {
        CanvasCases::TCase c;
        std::string error;
        TBitmap bitmap;
        ASSERT_TRUE(CanvasCases::ParseCase(text, c, error) && CanvasCases::DrawCase(c, bitmap, error)) << error;
        const std::string record = CanvasCases::FormatRecord(c, bitmap);
        TWindow window;
        TPixelMap printed;
        bool spill = false;
        ASSERT_TRUE(CanvasCases::ParseResult(record, window, printed, spill, error)) << error << "\n" << record;
        const TPixelMap drawn = CanvasCases::LitPixels(bitmap);
        EXPECT_FALSE(spill) << record; // windows are cut to the bitmap, so nothing lies outside
        EXPECT_EQ(printed, drawn) << record;
    }
}

TEST(CanvasOracle, MalformedCasesAreRefusedWithAReason)
{
    struct TBad {
        const char* Line;
        const char* Reason;
    } const cases[] = {
        {"", "empty case"},
        {"blob w=1", "unknown kind 'blob'"},
        {"ellipse w=7 pen=ffffff brush=ffffff", "missing key h"},
        {"ellipse w=7 h=x pen=ffffff brush=ffffff", "bad value for h"},
        {"ellipse w=7 h=6 pen=fffff brush=ffffff", "bad value for pen"},
        {"polygon pen=ffffff brush=null pts=1,1;2", "bad value for pts"},
        {"rectangle pen=ffffff brush=null rect=1,2,3", "bad value for rect"},
        {"pattern kind=mono1 set=x*y textcolor=ff0000 bkcolor=0000ff call=fillrect brushorg=0,0 rect=0,0,8,8",
         "bad value for set"},
        {"line from=99999999999,0 to=1,1 pen=ffffff", "bad value for from"},
        {"ellipse junk", "malformed key 'junk'"},
    };
    for (const TBad& bad : cases) {
        CanvasCases::TCase c;
        std::string error;
        TBitmap bitmap;
        const bool ok = CanvasCases::ParseCase(bad.Line, c, error) && CanvasCases::DrawCase(c, bitmap, error);
        EXPECT_FALSE(ok) << bad.Line;
        EXPECT_EQ(error, bad.Reason) << bad.Line;
    }
}

// Every call the grammar names takes a pattern brush of every kind: the
// pattern's colours (and the pen's, where a shape has one) fill the rectangle
// and nothing lies outside it.
TEST(CanvasOracle, PatternBrushesOfEveryKindWorkWithEveryCall)
{
    const struct {
        const char* Brush;
        std::set<uint32_t> Colours;
    } brushes[] = {
        {"kind=dib a=ff0000 b=0000ff mark=none", {0xff0000, 0x0000ff}},
        {"kind=bitmap32 a=00ff00 b=ffff00 mark=ffffff", {0x00ff00, 0xffff00, 0xffffff}},
        {"kind=mono1 set=x+y_odd_or_0,0 textcolor=ff0000 bkcolor=00ff00", {0xff0000, 0x00ff00}},
    };
    for (const auto& brush : brushes)
        for (const char* call : {"fillrect", "patblt", "framerect", "rectangle", "ellipse"}) {
            const std::string pen = std::string(call) == "rectangle" || std::string(call) == "ellipse" ? " pen=ffffff" : "";
            const std::string line =
                std::string("pattern ") + brush.Brush + " call=" + call + pen + " brushorg=0,0 rect=2,3,20,15";
            CanvasCases::TCase c;
            std::string error;
            TBitmap bitmap;
            ASSERT_TRUE(CanvasCases::ParseCase(line, c, error) && CanvasCases::DrawCase(c, bitmap, error))
                << line << ": " << error;
            const TPixelMap lit = CanvasCases::LitPixels(bitmap);
            EXPECT_FALSE(lit.empty()) << line;
            for (const auto& [point, pixel] : lit) {
                EXPECT_TRUE(point.first >= 2 && point.first < 20 && point.second >= 3 && point.second < 15)
                    << line << ": (" << point.first << ", " << point.second << ") lies outside the rectangle";
                EXPECT_TRUE(brush.Colours.count(pixel) || (!pen.empty() && pixel == 0xffffff))
                    << line << ": colour " << Hex(pixel) << " at (" << point.first << ", " << point.second << ")";
            }
        }
}
