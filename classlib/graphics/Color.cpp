#include "classlib/graphics/Color.h"

#include "classlib/system/Exceptions.h"
#include "classlib/system/SysUtils.h"

#include <array>
#include <cstdio>
#include <strings.h>

namespace {

// Defaults of the classic desktop scheme; indices without a colour give 0.
constexpr std::array<TColor, 31> kSystemColors = {
    RGB(0xC8, 0xC8, 0xC8), // scroll bar
    RGB(0x00, 0x00, 0x00), // desktop background
    RGB(0x0A, 0x24, 0x6A), // active caption
    RGB(0x80, 0x80, 0x80), // inactive caption
    RGB(0xD4, 0xD0, 0xC8), // menu
    RGB(0xFF, 0xFF, 0xFF), // window
    RGB(0x00, 0x00, 0x00), // window frame
    RGB(0x00, 0x00, 0x00), // menu text
    RGB(0x00, 0x00, 0x00), // window text
    RGB(0xFF, 0xFF, 0xFF), // caption text
    RGB(0xD4, 0xD0, 0xC8), // active border
    RGB(0xD4, 0xD0, 0xC8), // inactive border
    RGB(0x80, 0x80, 0x80), // application workspace
    RGB(0x0A, 0x24, 0x6A), // highlight
    RGB(0xFF, 0xFF, 0xFF), // highlight text
    RGB(0xD4, 0xD0, 0xC8), // button face
    RGB(0x80, 0x80, 0x80), // button shadow
    RGB(0x80, 0x80, 0x80), // grey text
    RGB(0x00, 0x00, 0x00), // button text
    RGB(0xD4, 0xD0, 0xC8), // inactive caption text
    RGB(0xFF, 0xFF, 0xFF), // button highlight
    RGB(0x40, 0x40, 0x40), // 3D dark shadow
    RGB(0xD4, 0xD0, 0xC8), // 3D light
    RGB(0x00, 0x00, 0x00), // tooltip text
    RGB(0xFF, 0xFF, 0xE1), // tooltip background
    0,                     // unused index 25
    RGB(0x00, 0x00, 0x80), // hot-tracked item
    RGB(0xA6, 0xCA, 0xF0), // gradient of the active caption
    RGB(0xC0, 0xC0, 0xC0), // gradient of the inactive caption
    RGB(0x0A, 0x24, 0x6A), // highlighted menu item
    RGB(0xD4, 0xD0, 0xC8), // menu bar
};

const TIdentMapEntry kColorNames[] = {
    {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"}, {clOlive, "clOlive"},
    {clNavy, "clNavy"}, {clPurple, "clPurple"}, {clTeal, "clTeal"}, {clGray, "clGray"},
    {clSilver, "clSilver"}, {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
    {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"}, {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"}, {clSkyBlue, "clSkyBlue"}, {clCream, "clCream"},
    {clMedGray, "clMedGray"}, {clActiveBorder, "clActiveBorder"}, {clActiveCaption, "clActiveCaption"},
    {clAppWorkSpace, "clAppWorkSpace"}, {clBackground, "clBackground"}, {clBtnFace, "clBtnFace"},
    {clBtnHighlight, "clBtnHighlight"}, {clBtnShadow, "clBtnShadow"}, {clBtnText, "clBtnText"},
    {clCaptionText, "clCaptionText"}, {clDefault, "clDefault"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"}, {clGrayText, "clGrayText"},
    {clHighlight, "clHighlight"}, {clHighlightText, "clHighlightText"}, {clHotLight, "clHotLight"},
    {clInactiveBorder, "clInactiveBorder"}, {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"}, {clInfoBk, "clInfoBk"},
    {clInfoText, "clInfoText"}, {clMenu, "clMenu"}, {clMenuBar, "clMenuBar"},
    {clMenuHighlight, "clMenuHighlight"}, {clMenuText, "clMenuText"}, {clNone, "clNone"},
    {clScrollBar, "clScrollBar"}, {cl3DDkShadow, "cl3DDkShadow"}, {cl3DLight, "cl3DLight"},
    {clWindow, "clWindow"}, {clWindowFrame, "clWindowFrame"}, {clWindowText, "clWindowText"},
};

} // namespace

TColor GetSysColor(int index)
{
    if (index < 0 || index >= static_cast<int>(kSystemColors.size())) return 0;
    return kSystemColors[static_cast<size_t>(index)];
}

TColor ColorToRGB(TColor color)
{
    return color < 0 ? GetSysColor(color & 0xFF) : color;
}

int ColorNameCount() { return static_cast<int>(std::size(kColorNames)); }

const TIdentMapEntry& ColorNameAt(int position) { return kColorNames[position]; }

bool ColorToIdent(TColor color, std::string& ident)
{
    for (const auto& e : kColorNames)
        if (e.Value == color) {
            ident = e.Name;
            return true;
        }
    return false;
}

bool IdentToColor(const std::string& ident, TColor& color)
{
    for (const auto& e : kColorNames)
        if (strcasecmp(e.Name, ident.c_str()) == 0) {
            color = e.Value;
            return true;
        }
    return false;
}

std::string ColorToString(TColor color)
{
    std::string ident;
    if (ColorToIdent(color, ident)) return ident;
    char buf[16];
    std::snprintf(buf, sizeof buf, "$%.8X", static_cast<unsigned>(color));
    return buf;
}

void GetColorValues(const std::function<void(const std::string&)>& proc)
{
    for (const auto& e : kColorNames) proc(e.Name);
}

TColor StringToColor(const std::string& text)
{
    TColor color = 0;
    if (IdentToColor(text, color)) return color;
    return StrToInt(text);
}
