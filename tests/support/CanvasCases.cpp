// The oracle grammar of canvas cases: parsing case lines, drawing them and
// formatting or parsing result records.
#include "tests/support/CanvasCases.h"

namespace CanvasCases {

std::string HexPixel(uint32_t pixel)
{
    static const char digits[] = "0123456789abcdef";
    std::string s(6, '0');
    for (int i = 5; i >= 0; --i, pixel >>= 4) s[static_cast<size_t>(i)] = digits[pixel & 0xF];
    return s;
}

namespace {

bool ParseInt(const std::string& text, int& value)
{
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end;
}

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator)) parts.push_back(part);
    if (!text.empty() && text.back() == separator) parts.emplace_back();
    return parts;
}

bool ParseInts(const std::string& text, std::vector<int>& values)
{
    values.clear();
    for (const std::string& part : Split(text, ',')) {
        int v = 0;
        if (!ParseInt(part, v)) return false;
        values.push_back(v);
    }
    return true;
}

bool ParsePoint(const std::string& text, TPoint& p)
{
    std::vector<int> v;
    if (!ParseInts(text, v) || v.size() != 2) return false;
    p = {v[0], v[1]};
    return true;
}

bool ParsePoints(const std::string& text, std::vector<TPoint>& points)
{
    points.clear();
    for (const std::string& part : Split(text, ';')) {
        TPoint p;
        if (!ParsePoint(part, p)) return false;
        points.push_back(p);
    }
    return !points.empty();
}

bool ParseRect(const std::string& text, TRect& r)
{
    std::vector<int> v;
    if (!ParseInts(text, v) || v.size() != 4) return false;
    r = {v[0], v[1], v[2], v[3]};
    return true;
}

// "rrggbb" as a pixel.
bool ParsePixel(const std::string& text, uint32_t& pixel)
{
    if (text.size() != 6) return false;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + 6, pixel, 16);
    return ec == std::errc() && ptr == text.data() + 6;
}


char PixelChar(uint32_t pixel)
{
    switch (pixel & 0x00FFFFFFu) {
    case 0x000000: return '.';
    case 0xFFFFFF: return '#';
    case 0xFF0000: return 'R';
    case 0x00FF00: return 'G';
    case 0x0000FF: return 'B';
    case 0xFFFF00: return 'Y';
    default: return '?';
    }
}

bool CharPixel(char c, uint32_t& pixel)
{
    switch (c) {
    case '.': pixel = 0x000000; return true;
    case '#': pixel = 0xFFFFFF; return true;
    case 'R': pixel = 0xFF0000; return true;
    case 'G': pixel = 0x00FF00; return true;
    case 'B': pixel = 0x0000FF; return true;
    case 'Y': pixel = 0xFFFF00; return true;
    default: return false;
    }
}

// Reads a key that must be present; error names it otherwise.
class TKeys {
public:
    TKeys(const TCase& c, std::string& error) : FCase(c), FError(error) {}

    const std::string* Get(const char* key)
    {
        const std::string* v = FCase.Find(key);
        if (!v && FError.empty()) FError = std::string("missing key ") + key;
        return v;
    }
    bool Fail(const char* key)
    {
        if (FError.empty()) FError = std::string("bad value for ") + key;
        return false;
    }
    // A colour, or none for "null".
    bool Colour(const char* key, bool& none, TColor& colour)
    {
        const std::string* v = Get(key);
        if (!v) return false;
        none = *v == "null";
        uint32_t pixel = 0;
        if (!none && !ParsePixel(*v, pixel)) return Fail(key);
        colour = PixelToRGB(pixel);
        return true;
    }
    bool Point(const char* key, TPoint& p)
    {
        const std::string* v = Get(key);
        return v && (ParsePoint(*v, p) || Fail(key));
    }
    bool Points(const char* key, std::vector<TPoint>& p)
    {
        const std::string* v = Get(key);
        return v && (ParsePoints(*v, p) || Fail(key));
    }
    bool Rect(const char* key, TRect& r)
    {
        const std::string* v = Get(key);
        return v && (ParseRect(*v, r) || Fail(key));
    }
    bool Int(const char* key, int& value)
    {
        const std::string* v = Get(key);
        return v && (ParseInt(*v, value) || Fail(key));
    }

private:
    const TCase& FCase;
    std::string& FError;
};

// Pen of one pixel in a colour, or clear.
void UsePen(TCanvas& canvas, bool none, TColor colour)
{
    canvas.Pen()->SetWidth(1);
    canvas.Pen()->SetStyle(none ? psClear : psSolid);
    if (!none) canvas.Pen()->SetColor(colour);
}

void UseBrush(TCanvas& canvas, bool none, TColor colour)
{
    if (none) {
        canvas.Brush()->SetStyle(bsClear);
        return;
    }
    canvas.Brush()->SetColor(colour);
    canvas.Brush()->SetStyle(bsSolid);
}

// The pattern bitmap of a "pattern" case: colour a where x + y is odd and b
// where it is even, pixel (0, 0) marked; or a monochrome one whose set pixels
// (white) are given by a rule such as "x+y_odd_or_0,0".
bool MakePattern(TKeys& keys, TCanvas& canvas, TBitmap& pattern)
{
    const std::string* kind = keys.Get("kind");
    if (!kind) return false;
    pattern.SetSize(8, 8);
    if (*kind == "dib" || *kind == "bitmap32") {
        bool none = false;
        TColor a = 0, b = 0, mark = 0;
        if (!keys.Colour("a", none, a) || none) return none ? keys.Fail("a") : false;
        if (!keys.Colour("b", none, b) || none) return none ? keys.Fail("b") : false;
        const std::string* markText = keys.Get("mark");
        if (!markText) return false;
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) pattern.ScanLine(y)[x] = RGBToPixel((x + y) % 2 ? a : b);
        if (*markText != "none") {
            if (!keys.Colour("mark", none, mark)) return false;
            pattern.ScanLine(0)[0] = RGBToPixel(mark);
        }
        return true;
    }
    if (*kind == "mono1") {
        const std::string* rule = keys.Get("set");
        bool none = false;
        TColor text = 0, back = 0;
        if (!rule || !keys.Colour("textcolor", none, text) || !keys.Colour("bkcolor", none, back)) return false;
        bool odd = false;
        std::string rest;
        if (rule->rfind("x+y_odd", 0) == 0) {
            odd = true;
            rest = rule->substr(7);
        } else if (rule->rfind("x+y_even", 0) == 0) {
            rest = rule->substr(8);
        } else {
            return keys.Fail("set");
        }
        TPoint extra{-1, -1};
        if (!rest.empty() && (rest.rfind("_or_", 0) != 0 || !ParsePoint(rest.substr(4), extra))) return keys.Fail("set");
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                const bool set = ((x + y) % 2 == 1) == odd || TPoint{x, y} == extra;
                pattern.ScanLine(y)[x] = set ? 0x00FFFFFFu : 0u;
            }
        pattern.SetMonochrome(true);
        // Black pattern pixels take the font colour, white ones the brush colour.
        canvas.Font()->SetColor(text);
        canvas.Brush()->SetColor(back);
        return true;
    }
    return keys.Fail("kind");
}

} // namespace

// Splits a case line into kind, keys and description; false (with error) for a
// line without a kind or with a malformed key.
bool ParseCase(const std::string& line, TCase& out, std::string& error)
{
    out = TCase{};
    std::string text = line;
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
    const size_t org = text.find(" org=");
    out.Description = text.substr(0, org);
    std::istringstream in(out.Description);
    if (!(in >> out.Kind)) {
        error = "empty case";
        return false;
    }
    std::string token;
    while (in >> token) {
        const size_t eq = token.find('=');
        if (eq == std::string::npos || eq == 0) {
            error = "malformed key '" + token + "'";
            return false;
        }
        out.Keys.emplace_back(token.substr(0, eq), token.substr(eq + 1));
    }
    return true;
}

// The window a result is printed in: the case's nominal extent one pixel wider
// on every side, cut to the bitmap.
TWindow WindowOf(const TCase& c)
{
    // Extents are widened: cases may reach to the ends of the int range.
    struct TExtent {
        long long Left = 0, Top = 0, Right = 0, Bottom = 0;
    } e;
    TRect r;
    std::vector<TPoint> points;
    TPoint a, b;
    int w = 0, h = 0;
    std::string ignored;
    TKeys keys(c, ignored);
    auto around = [&e](const std::vector<TPoint>& pts) {
        e = {pts[0].X, pts[0].Y, pts[0].X + 1LL, pts[0].Y + 1LL};
        for (const TPoint& p : pts)
            e = {std::min<long long>(e.Left, p.X), std::min<long long>(e.Top, p.Y),
                 std::max(e.Right, p.X + 1LL), std::max(e.Bottom, p.Y + 1LL)};
    };
    if (c.Kind == "ellipse" && keys.Int("w", w) && keys.Int("h", h))
        e = {0, 0, w, h};
    else if ((c.Kind == "polygon" || c.Kind == "lineto_chain" || c.Kind == "polyline") && keys.Points("pts", points))
        around(points);
    else if (c.Kind == "line" && keys.Point("from", a) && keys.Point("to", b))
        around({a, b});
    else if (c.Find("rect") && keys.Rect("rect", r))
        e = {r.Left, r.Top, r.Right, r.Bottom};
    TPoint vporg{CaseOffset, CaseOffset};
    if (c.Find("vporg")) keys.Point("vporg", vporg);
    const long long dx = vporg.X - static_cast<long long>(CaseOffset), dy = vporg.Y - static_cast<long long>(CaseOffset);
    auto cut = [](long long v) { return static_cast<int>(std::clamp<long long>(v, -CaseOffset, CanvasSize - CaseOffset)); };
    const int left = cut(e.Left + dx - 1), top = cut(e.Top + dy - 1);
    const int right = cut(e.Right + dx + 1), bottom = cut(e.Bottom + dy + 1);
    return {left, top, std::max(right - left, 0), std::max(bottom - top, 0)};
}

// Draws the case on bitmap, made 64 x 64 and black first. False (with error)
// for an unknown kind or a missing or malformed key.
bool DrawCase(const TCase& c, TBitmap& bitmap, std::string& error)
{
    bitmap.SetSize(CanvasSize, CanvasSize);
    for (int y = 0; y < CanvasSize; ++y) std::fill_n(bitmap.ScanLine(y), CanvasSize, 0u);
    TCanvas& canvas = *bitmap.Canvas();
    canvas.SetOrigin({CaseOffset, CaseOffset});
    canvas.SetBrushOrigin({0, 0});
    canvas.Brush()->SetBitmap(nullptr);
    canvas.SetFillMode(fmAlternate);
    TKeys keys(c, error);
    bool none = false;
    TColor colour = 0;
    TRect r;
    std::vector<TPoint> points;

    if (c.Kind == "ellipse") {
        int w = 0, h = 0;
        if (!keys.Int("w", w) || !keys.Int("h", h) || !keys.Colour("pen", none, colour)) return false;
        UsePen(canvas, none, colour);
        if (!keys.Colour("brush", none, colour)) return false;
        UseBrush(canvas, none, colour);
        canvas.Ellipse(0, 0, w, h);
        return true;
    }
    if (c.Kind == "polygon") {
        if (!keys.Points("pts", points) || !keys.Colour("pen", none, colour)) return false;
        UsePen(canvas, none, colour);
        if (!keys.Colour("brush", none, colour)) return false;
        UseBrush(canvas, none, colour);
        if (const std::string* mode = c.Find("mode")) {
            if (*mode == "winding")
                canvas.SetFillMode(fmWinding);
            else if (*mode != "alternate")
                return keys.Fail("mode");
        }
        canvas.Polygon(points);
        return true;
    }
    if (c.Kind == "line" || c.Kind == "lineto_chain" || c.Kind == "polyline") {
        if (!keys.Colour("pen", none, colour)) return false;
        UsePen(canvas, none, colour);
        if (c.Kind == "line") {
            TPoint from, to;
            if (!keys.Point("from", from) || !keys.Point("to", to)) return false;
            points = {from, to};
        } else if (!keys.Points("pts", points)) {
            return false;
        }
        if (c.Kind == "polyline") {
            canvas.Polyline(points.data(), static_cast<int>(points.size()));
            return true;
        }
        canvas.MoveTo(points[0].X, points[0].Y);
        for (size_t i = 1; i < points.size(); ++i) canvas.LineTo(points[i].X, points[i].Y);
        return true;
    }
    if (c.Kind == "fillrect" || c.Kind == "framerect") {
        if (!keys.Rect("rect", r) || !keys.Colour("brush", none, colour)) return false;
        UseBrush(canvas, none, colour);
        if (c.Kind == "fillrect")
            canvas.FillRect(r);
        else
            canvas.FrameRect(r);
        return true;
    }
    if (c.Kind == "drawfocusrect") {
        if (!keys.Rect("rect", r)) return false;
        canvas.DrawFocusRect(r);
        return true;
    }
    if (c.Kind == "rectangle") {
        if (!keys.Rect("rect", r) || !keys.Colour("pen", none, colour)) return false;
        UsePen(canvas, none, colour);
        if (!keys.Colour("brush", none, colour)) return false;
        UseBrush(canvas, none, colour);
        canvas.Rectangle(r);
        return true;
    }
    if (c.Kind == "pattern") {
        TPoint brushOrigin, viewport{CaseOffset, CaseOffset};
        const std::string* call = keys.Get("call");
        if (!call || !keys.Rect("rect", r) || !keys.Point("brushorg", brushOrigin)) return false;
        if (c.Find("vporg") && !keys.Point("vporg", viewport)) return false;
        const bool fill = *call == "fillrect" || *call == "patblt";
        if (!fill && *call != "framerect" && *call != "rectangle" && *call != "ellipse") return keys.Fail("call");
        // Shapes are outlined by the pen the case gives; without one they are brush only.
        bool noPen = true;
        TColor penColour = clBlack;
        if (c.Find("pen") && !keys.Colour("pen", noPen, penColour)) return false;
        UsePen(canvas, noPen, penColour);
        TBitmap pattern;
        if (!MakePattern(keys, canvas, pattern)) return false;
        // The brush origin, like the viewport origin, is in device pixels.
        canvas.SetOrigin(viewport);
        canvas.SetBrushOrigin(brushOrigin);
        canvas.Brush()->SetBitmap(&pattern);
        if (fill)
            canvas.FillRect(r);
        else if (*call == "framerect")
            canvas.FrameRect(r);
        else if (*call == "rectangle")
            canvas.Rectangle(r);
        else
            canvas.Ellipse(r);
        canvas.Brush()->SetBitmap(nullptr);
        return true;
    }
    error = "unknown kind '" + c.Kind + "'";
    return false;
}

// Lit pixels of a drawn bitmap, in case coordinates.
TPixelMap LitPixels(const TBitmap& bitmap)
{
    TPixelMap lit;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            if (const uint32_t px = bitmap.ScanLine(y)[x] & 0x00FFFFFFu) lit[{x - CaseOffset, y - CaseOffset}] = px;
    return lit;
}

// The rows of a window of a pixel map, '/'-separated.
std::string Rows(const TPixelMap& lit, const TWindow& w)
{
    std::string rows;
    for (int y = w.Y; y < w.Y + w.Height; ++y) {
        if (y != w.Y) rows += '/';
        for (int x = w.X; x < w.X + w.Width; ++x) {
            const auto it = lit.find({x, y});
            rows += PixelChar(it == lit.end() ? 0 : it->second);
        }
    }
    return rows;
}

// The result part of a record for the lit pixels in window.
std::string FormatResult(const TPixelMap& lit, const TWindow& w)
{
    std::ostringstream out;
    out << "org=" << w.X << ',' << w.Y << " size=" << w.Width << 'x' << w.Height << " lit=";
    if (lit.empty()) {
        out << "none";
    } else {
        int x0 = lit.begin()->first.first, y0 = lit.begin()->first.second, x1 = x0, y1 = y0;
        for (const auto& [p, px] : lit) {
            x0 = std::min(x0, p.first);
            y0 = std::min(y0, p.second);
            x1 = std::max(x1, p.first);
            y1 = std::max(y1, p.second);
        }
        out << x0 << ',' << y0 << ',' << x1 + 1 << ',' << y1 + 1;
    }
    bool spill = false;
    std::string other;
    for (const auto& [p, px] : lit) {
        const bool inside = p.first >= w.X && p.first < w.X + w.Width && p.second >= w.Y && p.second < w.Y + w.Height;
        spill = spill || !inside;
        if (inside && PixelChar(px) == '?') {
            other += other.empty() ? "" : ";";
            other += std::to_string(p.first) + ',' + std::to_string(p.second) + ':' + HexPixel(px);
        }
    }
    out << " n=" << lit.size() << " spill=" << (spill ? 1 : 0);
    if (!other.empty()) out << " other=" << other;
    out << " : " << Rows(lit, w);
    return out.str();
}

std::string FormatRecord(const TCase& c, const TBitmap& bitmap)
{
    return c.Description + ' ' + FormatResult(LitPixels(bitmap), WindowOf(c));
}

// The expected picture of a record: its window, its lit pixels and whether it
// says pixels spill out of the window. False (with error) when the result part
// is missing or does not fit its window.
bool ParseResult(const std::string& line, TWindow& window, TPixelMap& lit, bool& spill, std::string& error)
{
    lit.clear();
    const size_t org = line.find(" org=");
    const size_t colon = line.find(" : ", org == std::string::npos ? 0 : org);
    if (org == std::string::npos || colon == std::string::npos) {
        error = "no result part";
        return false;
    }
    std::istringstream in(line.substr(org + 1, colon - org - 1));
    std::string token, other;
    bool haveOrg = false, haveSize = false;
    spill = false;
    while (in >> token) {
        const size_t eq = token.find('=');
        const std::string key = token.substr(0, eq), value = eq == std::string::npos ? "" : token.substr(eq + 1);
        TPoint p;
        if (key == "org" && ParsePoint(value, p)) {
            window.X = p.X;
            window.Y = p.Y;
            haveOrg = true;
        } else if (key == "size") {
            const size_t x = value.find('x');
            haveSize = x != std::string::npos && ParseInt(value.substr(0, x), window.Width) &&
                       ParseInt(value.substr(x + 1), window.Height) && window.Width >= 0 && window.Height >= 0 &&
                       static_cast<long long>(window.Width) * window.Height <= (1 << 20);
        } else if (key == "spill") {
            spill = value == "1";
        } else if (key == "other") {
            other = value;
        }
    }
    if (!haveOrg || !haveSize) {
        error = "bad org or size";
        return false;
    }
    std::string rowsText = line.substr(colon + 3);
    while (!rowsText.empty() && (rowsText.back() == '\r' || rowsText.back() == '\n')) rowsText.pop_back();
    const std::vector<std::string> rows = Split(rowsText, '/');
    if (static_cast<int>(rows.size()) != window.Height && !(window.Height == 0 && rowsText.empty())) {
        error = "row count differs from size";
        return false;
    }
    std::map<std::pair<int, int>, uint32_t> others;
    if (!other.empty()) {
        for (const std::string& entry : Split(other, ';')) {
            const size_t c = entry.find(':');
            TPoint p;
            uint32_t px = 0;
            if (c == std::string::npos || !ParsePoint(entry.substr(0, c), p) || !ParsePixel(entry.substr(c + 1), px)) {
                error = "bad other= entry";
                return false;
            }
            others[{p.X, p.Y}] = px;
        }
    }
    for (int j = 0; j < window.Height; ++j) {
        if (static_cast<int>(rows[static_cast<size_t>(j)].size()) != window.Width) {
            error = "row width differs from size";
            return false;
        }
        for (int i = 0; i < window.Width; ++i) {
            const char ch = rows[static_cast<size_t>(j)][static_cast<size_t>(i)];
            const std::pair<int, int> at{window.X + i, window.Y + j};
            uint32_t px = 0;
            if (ch == '?') {
                const auto it = others.find(at);
                if (it == others.end()) {
                    error = "'?' without an other= colour";
                    return false;
                }
                px = it->second;
            } else if (!CharPixel(ch, px)) {
                error = std::string("unknown pixel character '") + ch + "'";
                return false;
            }
            if (px) lit[at] = px;
        }
    }
    return true;
}

} // namespace CanvasCases
