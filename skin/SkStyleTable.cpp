// The built-in style table as one array of data, read by entry number and style.
#include "skin/SkStyleTable.h"

#include "classlib/graphics/Bitmap.h"
#include "skin/SkDraw.h"

namespace {

constexpr TskStyleValue I(int32_t v) { return {v, nullptr}; }
constexpr TskStyleValue C(uint32_t v) { return {static_cast<int32_t>(v), nullptr}; }
constexpr TskStyleValue B(bool v) { return {v ? 1 : 0, nullptr}; }
constexpr TskStyleValue S(const char* name) { return {0, name}; }
constexpr TskStyleValue Empty = S("");

using enum TskType;

// One row per entry, numbered from 1; values in the order MacOS, WinXP, DeepBlue, Protein, BlueGlass.
constexpr TskStyleEntry Entries[skStyleEntryCount] = {
    {"ButtonImage", Str, {S("MACOS_BUTTON"), S("WINXP_BUTTON"), S("DEEPBLUE_BUTTON"), S("PROTEIN_BUTTON"), S("BLUEGLASS_BUTTON")}},
    {"ButtonTransparentBool", Bool, {B(true), B(false), B(false), B(false), B(true)}},
    {"CheckBoxImage", Str, {S("MACOS_CHECKBOX"), S("WINXP_CHECKBOX"), S("DEEPBLUE_CHECKBOX"), S("PROTEIN_CHECKBOX"), S("BLUEGLASS_CHECKBOX")}},
    {"RadioButtonImage", Str, {S("MACOS_RADIOBUTTON"), S("WINXP_RADIOBUTTON"), S("DEEPBLUE_RADIOBUTTON"), S("PROTEIN_RADIOBUTTON"), S("BLUEGLASS_RADIOBUTTON")}},
    {"TitleBarButtonImage", Str, {S("MACOS_TITLEBTN"), S("WINXP_TITLEBTN"), S("DEEPBLUE_TITLEBTN"), S("PROTEIN_TITLEBTN"), S("BLUEGLASS_TITLEBTN")}},
    {"TitleBarButtonTransparentBool", Bool, {B(false), B(false), B(false), B(true), B(true)}},
    {"TitleBarButtonLeftOffsetInt", Int, {I(3), I(2), I(0), I(0), I(4)}},
    {"TitleBarButtonRightOffsetInt", Int, {I(-2), I(-2), I(0), I(0), I(-3)}},
    {"TitleBarButtonTopInt", Int, {I(4), I(5), I(2), I(2), I(6)}},
    {"TitleBarLeftImage", Str, {S("MACOS_TITLE_LEFT"), S("WINXP_TITLE_LEFT"), S("DEEPBLUE_TITLE_LEFT"), S("PROTEIN_TITLE_LEFT"), S("BLUEGLASS_TITLE_LEFT")}},
    {"TitleBarClientImage", Str, {S("MACOS_TITLE_CLIENT"), S("WINXP_TITLE_CLIENT"), S("DEEPBLUE_TITLE_CLIENT"), S("PROTEIN_TITLE_CLIENT"), S("BLUEGLASS_TITLE_CLIENT")}},
    {"TitleBarRightImage", Str, {S("MACOS_TITLE_RIGHT"), S("WINXP_TITLE_RIGHT"), S("DEEPBLUE_TITLE_RIGHT"), S("PROTEIN_TITLE_RIGHT"), S("BLUEGLASS_TITLE_RIGHT")}},
    {"FormMinWidthInt", Int, {I(130), I(150), I(130), I(130), I(270)}},
    {"FormRoundCornerInt", Int, {I(0), I(13), I(0), I(0), I(11)}},
    {"FormBackgroundColor", Color, {C(0xE7E7E7), C(0xDEEBEF), C(0xE8E8E8), C(0xFBFBFB), C(0xE7E7E7)}},
    {"FormBorderColor", Color, {C(0x7F7F7F), C(0xC82C00), C(0x000000), C(0x000000), C(0x000000)}},
    {"FormBorderWidthInt", Int, {I(1), I(3), I(1), I(1), I(1)}},
    {"MenuSelectedBorderColor", Color, {C(0xC47339), C(0xC66931), C(0xA04A44), C(0xC4302D), C(0xEC5E5E)}},
    {"MenuSelectedBackgroundColor", Color, {C(0xC47339), C(0xEFD3C6), C(0xA04A44), C(0xC4302D), C(0xEC5E5E)}},
    {"MenuSelectedFontColor", Color, {C(0xFFFFFF), C(0x000000), C(0xFFFFFF), C(0xFFFFFF), C(0xFFFFFF)}},
    {"MenuBackgroundColor", Color, {C(0x000000), C(0xFFFFFF), C(0xFFFFFF), C(0xFFFFFF), C(0xE7E7E7)}},
    {"MenuFontColor", Color, {C(0x000000), C(0x000000), C(0x000000), C(0x000000), C(0x000000)}},
    {"MenuBarColor", Color, {C(0x000000), C(0xCED3D6), C(0xCED3D6), C(0xCED3D6), C(0xCED3D6)}},
    {"ProgressBarImage", Str, {S("MACOS_PROGRESSBAR"), S("WINXP_PROGRESSBAR"), S("DEEPBLUE_PROGRESSBAR"), S("PROTEIN_PROGRESSBAR"), S("BLUEGLASS_PROGRESSBAR")}},
    {"ControlBorderColor", Color, {C(0x7F7F7F), C(0x686868), C(0x000000), C(0x000000), C(0x000000)}},
    {"ControlBackgroundColor", Color, {C(0xE7E7E7), C(0xDEEBEF), C(0xE8E8E8), C(0xFBFBFB), C(0xE7E7E7)}},
    {"ControlFontColor", Color, {C(0x000000), C(0xCF4602), C(0x000000), C(0x000000), C(0x000000)}},
    {"TrackBarBarImage", Str, {S("MACOS_TRACKBAR_BAR"), S("WINXP_TRACKBAR_BAR"), S("DEEPBLUE_TRACKBAR_BAR"), S("PROTEIN_TRACKBAR_BAR"), S("BLUEGLASS_TRACKBAR_BAR")}},
    {"TrackBarSliderImage", Str, {S("MACOS_TRACKBAR_SLIDER"), S("WINXP_TRACKBAR_SLIDER"), S("DEEPBLUE_TRACKBAR_SLIDER"), S("PROTEIN_TRACKBAR_SLIDER"), S("BLUEGLASS_TRACKBAR_SLIDER")}},
    {"TrackBarSliderVImage", Str, {S("MACOS_TRACKBAR_SLIDER_V"), S("WINXP_TRACKBAR_SLIDER_V"), S("DEEPBLUE_TRACKBAR_SLIDER_V"), S("PROTEIN_TRACKBAR_SLIDER_V"), S("BLUEGLASS_TRACKBAR_SLIDER_V")}},
    {"ScrollBarBackgroundColor", Color, {C(0xC9C9C9), C(0xF9F9F9), C(0xF5F5F5), C(0xF5F5F5), C(0xF4F4F4)}},
    {"ScrollBarButtonImage", Str, {S("MACOS_SCROLLBAR_BUTTON"), S("WINXP_SCROLLBAR_BUTTON"), S("DEEPBLUE_SCROLLBAR_BUTTON"), S("PROTEIN_SCROLLBAR_BUTTON"), S("BLUEGLASS_SCROLLBAR_BUTTON")}},
    {"ScrollBarSliderImage", Str, {S("MACOS_SCROLLBAR_TRACK"), S("WINXP_SCROLLBAR_TRACK"), S("DEEPBLUE_SCROLLBAR_TRACK"), S("PROTEIN_SCROLLBAR_TRACK"), S("BLUEGLASS_SCROLLBAR_TRACK")}},
    {"CheckListBoxImage", Str, {S("MACOS_CHECKLIST"), S("WINXP_CHECKLIST"), S("DEEPBLUE_CHECKLIST"), S("PROTEIN_CHECKLIST"), S("BLUEGLASS_CHECKLIST")}},
    {"ToolBarButtonBorderColor", Color, {C(0x474747), C(0xC66931), C(0x474747), C(0x474747), C(0x474747)}},
    {"ToolBarButtonBackgroundColor", Color, {C(0xEFEFEF), C(0xEFD3C6), C(0xEFEFEF), C(0xEFEFEF), C(0xEFEFEF)}},
    {"ToolBarButtonDownBackgroundColor", Color, {C(0xD8D8D8), C(0xE1AC93), C(0xD8D8D8), C(0xD8D8D8), C(0xD8D8D8)}},
    {"ScrollButtonImage", Str, {S("MACOS_SCROLLBUTTON"), S("WINXP_SCROLLBUTTON"), S("MORE_SCROLLBUTTON"), S("MORE_SCROLLBUTTON"), S("MORE_SCROLLBUTTON")}},
    {"TabControlTabImage", Str, {S("MACOS_TAB"), S("WINXP_TAB"), S("DEEPBLUE_TAB"), S("PROTEIN_TAB"), S("BLUEGLASS_TAB")}},
    {"TabControlBarImage", Str, {S("MACOS_TAB_LINE"), S("WINXP_TAB_LINE"), S("DEEPBLUE_TAB_LINE"), S("PROTEIN_TAB_LINE"), S("BLUEGLASS_TAB_LINE")}},
    {"SideChannelHandleImage", Str, {S("MACOS_SIDECHENNEL_HANDLE"), S("WINXP_SIDECHENNEL_HANDLE"), S("DEEPBLUE_SIDECHENNEL_HANDLE"), S("PROTEIN_SIDECHENNEL_HANDLE"), S("BLUEGLASS_SIDECHENNEL_HANDLE")}},
    {"SideChannelBarImage", Str, {S("MACOS_SIDECHENNEL_BAR"), S("WINXP_SIDECHENNEL_BAR"), S("DEEPBLUE_SIDECHENNEL_BAR"), S("PROTEIN_SIDECHENNEL_BAR"), S("BLUEGLASS_SIDECHENNEL_BAR")}},
    {"TitleBarMinimizedImage", Str, {Empty, Empty, Empty, Empty, Empty}},
    {"TitleBarFontColor", Color, {C(0x000000), C(0xFFFFFF), C(0xFFFFFF), C(0xFFFFFF), C(0xFFFFFF)}},
    {"FormLeftBorderImage", Str, {Empty, Empty, Empty, Empty, Empty}},
    {"FormBottomBorderImage", Str, {Empty, Empty, Empty, Empty, Empty}},
    {"FormBottomRoundCornerInt", Int, {I(0), I(0), I(0), I(0), I(0)}},
    {"MenuMenuBarColor", Color, {C(0xE7E7E7), C(0xDEEBEF), C(0xE8E8E8), C(0xFBFBFB), C(0xE7E7E7)}},
};

// The value, when the entry has the wanted type.
const TskStyleValue* ValueOfType(TskUIStyle UIStyle, int Index, TskType type)
{
    const TskStyleValue* value = InsideThemeValue(UIStyle, Index);
    return value && Entries[Index - 1].Type == type ? value : nullptr;
}

}  // namespace

const TskStyleEntry* StyleEntry(int Index)
{
    return Index >= 1 && Index <= skStyleEntryCount ? &Entries[Index - 1] : nullptr;
}

const TskStyleValue* InsideThemeValue(TskUIStyle UIStyle, int Index)
{
    const TskStyleEntry* entry = StyleEntry(Index);
    const int column = static_cast<int>(UIStyle) - static_cast<int>(TskUIStyle::MacOS);
    if (!entry || column < 0 || column >= 5) return nullptr;
    return &entry->Values[column];
}

void GetInsideThemeBitmap(TskUIStyle UIStyle, int Index, TBitmap* Bitmap, int SpitCount, int SpitIndex)
{
    if (!Bitmap) return;
    const std::string name = GetInsideThemeBitmapName(UIStyle, Index);
    if (name.empty()) return;
    if (SpitCount == 0) {
        Bitmap->LoadFromResourceName(name);
        return;
    }
    TBitmap whole;
    whole.LoadFromResourceName(name);
    SpitBitmap(whole, *Bitmap, SpitCount, SpitIndex);
}

std::string GetInsideThemeBitmapName(TskUIStyle UIStyle, int Index)
{
    const TskStyleValue* value = ValueOfType(UIStyle, Index, TskType::Str);
    return value && value->Name ? value->Name : "";
}

TColor GetInsideThemeColor(TskUIStyle UIStyle, int Index)
{
    const TskStyleValue* value = ValueOfType(UIStyle, Index, TskType::Color);
    return value ? value->Number : 0;
}

int GetInsideThemeInt(TskUIStyle UIStyle, int Index)
{
    const TskStyleValue* value = ValueOfType(UIStyle, Index, TskType::Int);
    return value ? value->Number : -1;
}

bool GetInsideThemeBool(TskUIStyle UIStyle, int Index)
{
    const TskStyleValue* value = ValueOfType(UIStyle, Index, TskType::Bool);
    return value && value->Number != 0;
}
