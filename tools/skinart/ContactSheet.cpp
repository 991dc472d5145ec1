// The sheet is laid out twice: once to measure it, once to draw it.
#include "tools/skinart/ContactSheet.h"

#include "classlib/graphics/Bitmap.h"
#include "classlib/graphics/PngImage.h"
#include "skin/SkDraw.h"
#include "skin/SkStyleTable.h"

#include <algorithm>
#include <map>
#include <memory>

namespace art {

namespace {

constexpr int SheetWidth = 1400;
constexpr int Margin = 16;
constexpr int Zoom = 3;
constexpr uint32_t SheetColour = 0xB4B4B4;

TColor Colour(uint32_t rgb) { return PixelToRGB(rgb); }

class TPictures {
public:
    explicit TPictures(const std::vector<ArtPicture>& pictures)
    {
        for (const ArtPicture& p : pictures) {
            auto bitmap = std::make_unique<TBitmap>();
            bitmap->AssignPixels(p.Width, p.Height, std::vector<uint32_t>(p.Pixels), pf24bit);
            FBitmaps[p.Name] = std::move(bitmap);
        }
    }
    TBitmap& operator[](const std::string& name) const { return *FBitmaps.at(name); }
    // Slice index (1-based) of count.
    std::unique_ptr<TBitmap> Slice(const std::string& name, int count, int index) const
    {
        auto slice = std::make_unique<TBitmap>();
        SpitBitmap((*this)[name], *slice, count, index);
        return slice;
    }

private:
    std::map<std::string, std::unique_ptr<TBitmap>> FBitmaps;
};

void SetFont(TCanvas& canvas, const char* name, int height, bool bold, uint32_t colour)
{
    canvas.Font()->SetName(name);
    canvas.Font()->SetHeight(height);
    canvas.Font()->SetStyle(bold ? fsBold : 0);
    canvas.Font()->SetColor(Colour(colour));
    canvas.Brush()->SetStyle(bsClear);
}

void Fill(TCanvas& canvas, const TRect& r, uint32_t colour)
{
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(Colour(colour));
    canvas.FillRect(r);
}

void Frame(TCanvas& canvas, const TRect& r, uint32_t colour)
{
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(Colour(colour));
    canvas.FrameRect(r);
}

// Draws a picture magnified at (x, y), magenta as a checkerboard.
void Magnified(TCanvas& canvas, const TBitmap& picture, int x, int y, int zoom)
{
    TBitmap big(picture.Width() * zoom, picture.Height() * zoom);
    for (int py = 0; py < big.Height(); ++py)
        for (int px = 0; px < big.Width(); ++px) {
            uint32_t c = picture.ScanLine(py / zoom)[px / zoom] & 0xFFFFFF;
            if (c == 0xFF00FF) c = ((px / 4 + py / 4) % 2) ? 0xE6E6E6 : 0xFFFFFF;
            big.ScanLine(py)[px] = c;
        }
    canvas.Draw(x, y, &big);
}

// ---- The dialog as its controls draw it -------------------------------------

// The window frame and the title bar: the window's first three rows and side
// bands continue the title art, the bar holds the rest of it, the buttons and
// the caption (laid out as the title bar lays them out).
void TitleBar(TCanvas& c, const TPictures& art, TskUIStyle style, int x, int y, int width, const std::string& caption,
              int buttonState)
{
    TBitmap& left = art[GetInsideThemeBitmapName(style, 10)];
    TBitmap& client = art[GetInsideThemeBitmapName(style, 11)];
    TBitmap& right = art[GetInsideThemeBitmapName(style, 12)];
    const int h = left.Height();
    c.CopyRect(Bounds(x, y, std::min(left.Width(), width), h), left.Canvas(), Bounds(0, 0, std::min(left.Width(), width), h));
    if (left.Width() < width - right.Width())
        c.CopyRect(Rect(x + left.Width(), y, x + width - right.Width(), y + h), client.Canvas(), Rect(0, 0, client.Width(), h));
    c.CopyRect(Rect(x + width - right.Width(), y, x + width, y + h), right.Canvas(), Rect(0, 0, right.Width(), h));
    const int border = GetInsideThemeInt(style, 17);
    Fill(c, Rect(x, y + 3, x + border, y + h), static_cast<uint32_t>(ColorToPixel(GetInsideThemeColor(style, 16))));
    Fill(c, Rect(x + width - border, y + 3, x + width, y + h), static_cast<uint32_t>(ColorToPixel(GetInsideThemeColor(style, 16))));

    // The bar: client area from (3, 3), buttons laid out from its right end.
    const int barX = x + 3, barY = y + 3, barW = width - 6;
    const std::string buttons = GetInsideThemeBitmapName(style, 5);
    const bool transparent = GetInsideThemeBool(style, 6);
    const int top = GetInsideThemeInt(style, 9) - 3;
    const int firstSlice[] = {16, 7, 13};  // close, maximise, minimise
    int bx = barW + GetInsideThemeInt(style, 8);
    for (int base : firstSlice) {
        const auto picHeld = art.Slice(buttons, 18, base + buttonState);
    TBitmap& pic = *picHeld;
        bx -= pic.Width() + 1;
        if (barW < bx + pic.Width() + 1) bx = barW - pic.Width() - 1;
        if (transparent) c.TransparentCopyRect(Bounds(barX + bx, barY + top, pic.Width(), pic.Height()), pic.Canvas(),
                                               Bounds(0, 0, pic.Width(), pic.Height()), Colour(0xFF00FF));
        else c.CopyRect(Bounds(barX + bx, barY + top, pic.Width(), pic.Height()), pic.Canvas(), Bounds(0, 0, pic.Width(), pic.Height()));
    }
    const auto boxHeld = art.Slice(buttons, 18, 1 + buttonState);
    TBitmap& box = *boxHeld;
    int captionX = std::max(GetInsideThemeInt(style, 7) + 1, 0);
    const TRect boxRect = Bounds(barX + captionX, barY + top - 1, box.Width(), box.Height());
    if (transparent) c.TransparentCopyRect(boxRect, box.Canvas(), Bounds(0, 0, box.Width(), box.Height()), Colour(0xFF00FF));
    else c.CopyRect(boxRect, box.Canvas(), Bounds(0, 0, box.Width(), box.Height()));
    captionX += box.Width() + 5;
    SetFont(c, "Tahoma", -11, true, static_cast<uint32_t>(ColorToPixel(GetInsideThemeColor(style, 44))));
    c.TextOut(barX + captionX, barY + top + (box.Height() - c.TextHeight(caption)) / 2, caption);
}

// A tab strip as the page control paints it: the bar, then the tabs from the left margin.
void TabStrip(TCanvas& c, const TPictures& art, TskUIStyle style, int x, int y, int width, int active)
{
    const auto activeTabHeld = art.Slice(GetInsideThemeBitmapName(style, 39), 2, 1);
    TBitmap& activeTab = *activeTabHeld;
    const auto inactiveTabHeld = art.Slice(GetInsideThemeBitmapName(style, 39), 2, 2);
    TBitmap& inactiveTab = *inactiveTabHeld;
    TBitmap& bar = art[GetInsideThemeBitmapName(style, 40)];
    const int ih = inactiveTab.Height();
    // What the strip's owner paints under it: its own colour.
    Fill(c, Rect(x, y, x + width, y + ih + bar.Height()), ColorToPixel(GetInsideThemeColor(style, 26)));
    c.CopyRect(Rect(x + 1, y + ih, x + width - 1, y + ih + bar.Height()), bar.Canvas(), Rect(0, 0, bar.Width(), bar.Height()));
    const uint32_t border = ColorToPixel(GetInsideThemeColor(style, 25));
    Fill(c, Rect(x, y + ih, x + 1, y + ih + bar.Height()), border);
    Fill(c, Rect(x + width - 1, y + ih, x + width, y + ih + bar.Height()), border);
    SetFont(c, "MS Sans Serif", -11, false, 0x000000);
    const char* captions[] = {"Settings", "Help", "About"};
    int tx = x + 10;
    for (int i = 0; i < 3; ++i) {
        const int w = c.TextWidth(captions[i]) + 20;
        const bool on = i == active;
        const TRect r = on ? Rect(tx, y + 1, tx + w, y + ih + 1) : Rect(tx, y, tx + w, y + ih);
        SpitDrawHorizontal(on ? activeTab : inactiveTab, c, r, false, false);
        TRect text = r;
        SetFont(c, "MS Sans Serif", -11, false, 0x000000);
        c.DrawText(captions[i], text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        tx += w;
    }
}

void PushButton(TCanvas& c, const TPictures& art, TskUIStyle style, const TRect& r, int state, const std::string& caption,
                uint32_t under)
{
    const auto faceHeld = art.Slice(GetInsideThemeBitmapName(style, 1), 3, state);
    TBitmap& face = *faceHeld;
    TBitmap button(r.Width(), r.Height());
    Fill(*button.Canvas(), Rect(0, 0, r.Width(), r.Height()), under);
    SpitDraw(face, *button.Canvas(), Rect(0, 0, r.Width(), r.Height()), GetInsideThemeBool(style, 2));
    SetFont(*button.Canvas(), "MS Sans Serif", -11, false, 0x000000);
    TRect text = Rect(state == 3 ? 1 : 0, state == 3 ? 1 : 0, r.Width(), r.Height());
    button.Canvas()->DrawText(caption, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    c.Draw(r.Left, r.Top, &button);
}

void Mark(TCanvas& c, const TPictures& art, TskUIStyle style, int entry, int x, int y, int slice, const std::string& caption)
{
    const auto markHeld = art.Slice(GetInsideThemeBitmapName(style, entry), 4, slice);
    TBitmap& mark = *markHeld;
    if (entry == 4) c.TransparentCopyRect(Bounds(x, y, mark.Width(), mark.Height()), mark.Canvas(),
                                          Bounds(0, 0, mark.Width(), mark.Height()), Colour(0xFF00FF));
    else c.Draw(x, y, &mark);
    SetFont(c, "MS Sans Serif", -11, false, 0x000000);
    c.TextOut(x + mark.Width() + 4, y + (mark.Height() - c.TextHeight("W")) / 2, caption);
}

// A captioned panel: outline, caption bar, caption and roll-up button.
void Panel(TCanvas& c, const TPictures& art, const TRect& r, const std::string& caption, bool hot)
{
    TBitmap& bar = art["MACOS_SIDECHENNEL_BAR"];
    Fill(c, r, 0xFFFFFF);
    Frame(c, r, 0x7F7F7F);
    c.CopyRect(Rect(r.Left + 1, r.Top, r.Right - 1, r.Top + bar.Height()), bar.Canvas(), Rect(0, 0, 1, bar.Height()));
    SetFont(c, "MS Sans Serif", -11, false, 0x000000);
    TRect text = Rect(r.Left + 10, r.Top, r.Right - 1, r.Top + bar.Height());
    c.DrawText(caption, text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    const auto buttonHeld = art.Slice("PANEL_BUTTON", 4, hot ? 2 : 1);
    TBitmap& button = *buttonHeld;
    c.Draw(r.Right - 17, r.Top + 4, &button);
}

// The settings dialog, 303 x 378, at the positions its form description gives.
void SettingsDialog(TCanvas& c, const TPictures& art, int x, int y)
{
    const int W = 303, H = 378;
    // The form panel's brush: the stripe pattern, tiled from the window's corner.
    TBitmap& stripes = art["MACOS_FORM_BACKGROUND"];
    for (int py = 0; py < H; py += 8)
        for (int px = 0; px < W; px += 8) c.Draw(x + px, y + py, &stripes);
    Fill(c, Rect(x, y, x + 1, y + H), 0x7F7F7F);
    Fill(c, Rect(x + W - 1, y, x + W, y + H), 0x7F7F7F);
    Fill(c, Rect(x, y + H - 1, x + W, y + H), 0x7F7F7F);
    Fill(c, Rect(x + 1, y + H - 3, x + W - 1, y + H - 1), 0xE7E7E7);
    Fill(c, Rect(x + 1, y + 23, x + 3, y + H - 1), 0xE7E7E7);
    Fill(c, Rect(x + W - 3, y + 23, x + W - 1, y + H - 1), 0xE7E7E7);
    TitleBar(c, art, TskUIStyle::MacOS, x, y, W, "Velmora Screensaver 1.0", 0);

    // Client area from (3, 3): the page control at (4, 88), 293 x 257.
    const int px = x + 3 + 4, py = y + 3 + 88;
    Fill(c, Rect(px, py + 34, px + 293, py + 257), 0xE7E7E7);
    Fill(c, Rect(px, py + 33, px + 1, py + 257), 0x7F7F7F);
    Fill(c, Rect(px + 292, py + 33, px + 293, py + 257), 0x7F7F7F);
    Fill(c, Rect(px, py + 256, px + 293, py + 257), 0x7F7F7F);
    TabStrip(c, art, TskUIStyle::MacOS, px, py, 293, 0);
    // The Settings page at (3, 37) of the page control.
    const int gx = px + 3, gy = py + 37;
    Panel(c, art, Bounds(gx + 10, gy + 16, 265, 81), "Change the Clock Motion", false);
    Mark(c, art, TskUIStyle::MacOS, 4, gx + 10 + 32 + 1, gy + 16 + 36 + 2, 2, "Center");
    Mark(c, art, TskUIStyle::MacOS, 4, gx + 10 + 144 + 1, gy + 16 + 36 + 2, 1, "on the Move");
    Panel(c, art, Bounds(gx + 10, gy + 120, 265, 81), "Change the Clock Color", true);
    // The colour box is not skin art: a plain outline stands in for it.
    Fill(c, Bounds(gx + 10 + 16, gy + 120 + 40, 105, 21), 0xFFFFFF);
    Frame(c, Bounds(gx + 10 + 16, gy + 120 + 40, 105, 21), 0x7F7F7F);
    Fill(c, Bounds(gx + 10 + 16 + 4, gy + 120 + 44, 20, 13), 0xFF0000);
    PushButton(c, art, TskUIStyle::Protein, Bounds(gx + 10 + 144, gy + 120 + 40, 80, 21), 1, "Change Color", 0xFFFFFF);
    PushButton(c, art, TskUIStyle::Protein, Bounds(x + 3 + 216, y + 3 + 350, 80, 20), 1, "OK", 0xE7E7E7);
}

// One style's pieces put together: the title bar at rest and under the
// pointer, the push button's three faces, the marks and a tab strip.
int StyleStrip(TCanvas* c, const TPictures& art, TskUIStyle style, int x, int y)
{
    const int W = 303;
    const int titleH = art[GetInsideThemeBitmapName(style, 10)].Height();
    if (c) {
        TitleBar(*c, art, style, x, y, W, "Velmora Screensaver 1.0", 0);
        TitleBar(*c, art, style, x + W + 12, y, W, "Pointer over the buttons", 1);
        TitleBar(*c, art, style, x + 2 * (W + 12), y, W, "Buttons pressed", 2);
    }
    int ry = y + titleH + 10;
    const uint32_t under = ColorToPixel(GetInsideThemeColor(style, 15));
    if (c) {
        Fill(*c, Rect(x, ry, x + 3 * W + 24, ry + 80), under);
        const char* names[] = {"Normal", "Hover", "Pressed"};
        for (int s = 1; s <= 3; ++s) PushButton(*c, art, style, Bounds(x + 10 + (s - 1) * 92, ry + 8, 80, 21), s, names[s - 1], under);
        PushButton(*c, art, style, Bounds(x + 290, ry + 8, 110, 27), 1, "Tall button", under);
        for (int s = 1; s <= 4; ++s) {
            Mark(*c, art, style, 3, x + 10 + (s - 1) * 70, ry + 46, s, s % 2 ? "On" : "Off");
            Mark(*c, art, style, 4, x + 300 + (s - 1) * 70, ry + 46, s, s % 2 ? "On" : "Off");
        }
        TabStrip(*c, art, style, x + 600, ry + 8, 300, 1);
    }
    return ry + 80 - y;
}

// ---- The bitmaps ------------------------------------------------------------

// Lays out (and with a canvas draws) one group of bitmaps; returns its height.
int Group(TCanvas* c, const TPictures& art, const std::vector<const ArtPicture*>& group, int y)
{
    int x = Margin, rowHeight = 0;
    const int labelHeight = 16;
    for (const ArtPicture* p : group) {
        const int w = p->Width * Zoom, h = p->Height * Zoom;
        const int cellW = std::max(w, 8 * static_cast<int>(p->Name.size()) + 40);
        if (x > Margin && x + cellW > SheetWidth - Margin) {
            x = Margin;
            y += rowHeight + 12;
            rowHeight = 0;
        }
        if (c) {
            Frame(*c, Rect(x - 1, y - 1, x + w + 1, y + h + 1), 0x606060);
            Magnified(*c, art[p->Name], x, y, Zoom);
            SetFont(*c, "DejaVu Sans", -11, false, 0x101010);
            c->TextOut(x, y + h + 3, p->Name + "  " + std::to_string(p->Width) + "x" + std::to_string(p->Height) + ", " +
                                         std::to_string(p->Bits));
        }
        x += cellW + 16;
        rowHeight = std::max(rowHeight, h + labelHeight);
    }
    return y + rowHeight;
}

int Heading(TCanvas* c, int y, const std::string& text)
{
    if (c) {
        SetFont(*c, "DejaVu Sans", -15, true, 0x000000);
        c->TextOut(Margin, y, text);
    }
    return y + 26;
}

int Layout(TCanvas* c, const std::vector<ArtPicture>& pictures, const TPictures& art)
{
    int y = Margin;
    y = Heading(c, y, "The settings dialog, made up from the MacOS art and the Protein push buttons (2x)");
    if (c) {
        TBitmap dialog(303, 378);
        SettingsDialog(*dialog.Canvas(), art, 0, 0);
        c->StretchDraw(Bounds(Margin, y, 606, 756), &dialog);
        TBitmap actual(303, 378);
        SettingsDialog(*actual.Canvas(), art, 0, 0);
        c->Draw(Margin + 606 + 40, y, &actual);
        SetFont(*c, "DejaVu Sans", -11, false, 0x101010);
        c->TextOut(Margin + 606 + 40, y + 378 + 6, "The same at 1x");
    }
    y += 756 + 24;
    const TskUIStyle styles[] = {TskUIStyle::MacOS, TskUIStyle::WinXP, TskUIStyle::DeepBlue, TskUIStyle::Protein, TskUIStyle::BlueGlass};
    const char* names[] = {"MacOS", "WinXP", "DeepBlue", "Protein", "BlueGlass"};
    for (int s = 0; s < 5; ++s) {
        y = Heading(c, y, std::string(names[s]) + ": assembled (1x)");
        y += StyleStrip(c, art, styles[s], Margin, y) + 16;
    }
    for (const char* group : {"MacOS", "WinXP", "DeepBlue", "Protein", "BlueGlass", "Shared"}) {
        std::vector<const ArtPicture*> members;
        for (const ArtPicture& p : pictures)
            if (p.Group == group) members.push_back(&p);
        y = Heading(c, y + 8, std::string(group) + " bitmaps (3x; the checkerboard is magenta, the see-through colour)");
        y = Group(c, art, members, y) + 16;
    }
    return y + Margin;
}

}  // namespace

void WriteContactSheet(const std::vector<ArtPicture>& pictures, const std::string& path)
{
    const TPictures art(pictures);
    const int height = Layout(nullptr, pictures, art);
    TBitmap sheet(SheetWidth, height);
    Fill(*sheet.Canvas(), Rect(0, 0, SheetWidth, height), SheetColour);
    Layout(sheet.Canvas(), pictures, art);
    SavePng(sheet.Surface(), path);
}

}  // namespace art
