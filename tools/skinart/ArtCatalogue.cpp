// The list of skin bitmaps. Names come from the built-in style table itself,
// so the art and the table cannot disagree; sizes and depths are the ones the
// controls expect.
#include "tools/skinart/ArtCatalogue.h"

#include "classlib/graphics/Bitmap.h"
#include "classlib/system/Streams.h"
#include "skin/SkStyleTable.h"
#include "tools/skinart/ArtPainters.h"
#include "tools/skinart/ArtPalette.h"

#include <algorithm>
#include <stdexcept>

namespace art {

namespace {

struct Size {
    int Width, Height, Bits;
};

struct TableArt {
    int Entry;
    Size Sizes[5];  // MacOS, WinXP, DeepBlue, Protein, BlueGlass
    Drawn (*Paint)(TskUIStyle, int, int);
};

const TableArt TableBitmaps[] = {
    {1, {{252, 23, 8}, {54, 21, 8}, {222, 21, 4}, {222, 21, 8}, {231, 27, 8}}, PushButtons},
    {3, {{60, 17, 8}, {52, 13, 8}, {52, 13, 4}, {52, 13, 4}, {52, 13, 4}}, CheckBoxes},
    {4, {{64, 17, 8}, {52, 13, 8}, {52, 13, 4}, {52, 13, 4}, {52, 13, 4}}, RadioButtons},
    {5, {{306, 17, 24}, {378, 21, 24}, {342, 19, 4}, {342, 19, 4}, {342, 19, 4}}, TitleButtons},
    {10, {{48, 23, 8}, {35, 29, 8}, {97, 32, 8}, {441, 23, 8}, {162, 33, 8}}, TitleLeft},
    {11, {{49, 23, 8}, {37, 29, 8}, {98, 32, 4}, {1, 23, 4}, {179, 33, 8}}, TitleClient},
    {12, {{48, 23, 8}, {35, 29, 8}, {97, 32, 8}, {1, 23, 8}, {101, 33, 8}}, TitleRight},
    {24, {{13, 10, 8}, {6, 10, 8}, {1, 10, 8}, {1, 10, 8}, {1, 10, 8}}, ProgressBar},
    {28, {{45, 5, 24}, {45, 8, 24}, {45, 4, 24}, {45, 4, 24}, {45, 4, 24}}, TrackBarBar},
    {29, {{11, 20, 24}, {11, 21, 24}, {11, 20, 24}, {11, 20, 24}, {11, 20, 24}}, TrackBarSlider},
    {30, {{19, 11, 8}, {22, 11, 8}, {18, 11, 8}, {18, 11, 8}, {18, 11, 8}}, TrackBarSliderV},
    {32, {{96, 22, 8}, {96, 17, 8}, {96, 16, 4}, {96, 16, 8}, {102, 16, 4}}, ScrollBarButtons},
    {33, {{33, 16, 8}, {21, 16, 8}, {21, 16, 4}, {21, 16, 4}, {21, 16, 8}}, ScrollBarThumbs},
    {34, {{40, 11, 8}, {44, 11, 4}, {44, 11, 4}, {44, 11, 4}, {44, 11, 4}}, CheckListMarks},
    {38, {{72, 18, 8}, {72, 18, 8}, {72, 17, 4}, {72, 17, 4}, {72, 17, 4}}, TabScrollButtons},
    {39, {{36, 27, 8}, {18, 18, 8}, {12, 17, 4}, {18, 17, 4}, {18, 17, 4}}, Tabs},
    {40, {{17, 7, 8}, {8, 1, 4}, {5, 5, 4}, {10, 5, 4}, {10, 5, 4}}, TabBar},
    {41, {{7, 84, 8}, {8, 86, 8}, {8, 83, 4}, {8, 83, 4}, {8, 86, 8}}, SideChannelHandle},
    {42, {{1, 21, 8}, {1, 21, 8}, {1, 20, 4}, {1, 21, 4}, {1, 21, 4}}, SideChannelBar},
};

constexpr TskUIStyle Styles[5] = {TskUIStyle::MacOS, TskUIStyle::WinXP, TskUIStyle::DeepBlue, TskUIStyle::Protein,
                                  TskUIStyle::BlueGlass};
const char* const StyleNames[5] = {"MacOS", "WinXP", "DeepBlue", "Protein", "BlueGlass"};

ArtPicture Finish(std::string name, std::string group, Size size, Drawn drawn)
{
    if (drawn.Picture.Width() != size.Width || drawn.Picture.Height() != size.Height)
        throw std::logic_error(name + " was drawn at the wrong size");
    ArtPicture picture{std::move(name), std::move(group), size.Width, size.Height, size.Bits, drawn.Picture.Pixels(drawn.Keyed)};
    if (size.Bits < 24) Quantise(picture.Pixels, size_t(1) << size.Bits, drawn.Exact);
    return picture;
}

}  // namespace

std::vector<ArtPicture> DrawSkinArt()
{
    std::vector<ArtPicture> pictures;
    auto add = [&pictures](ArtPicture picture) {
        for (const ArtPicture& p : pictures)
            if (p.Name == picture.Name) return;  // several styles share MORE_SCROLLBUTTON
        pictures.push_back(std::move(picture));
    };
    for (const TableArt& art : TableBitmaps)
        for (int s = 0; s < 5; ++s) {
            const std::string name = GetInsideThemeBitmapName(Styles[s], art.Entry);
            // A bitmap shared by several styles is drawn in a neutral look and filed apart.
            const bool shared = name.rfind("MORE_", 0) == 0;
            const Size size = art.Sizes[s];
            add(Finish(name, shared ? "Shared" : StyleNames[s], size,
                       art.Paint(shared ? TskUIStyle::DeepBlue : Styles[s], size.Width, size.Height)));
        }
    add(Finish("MACOS_FORM_BACKGROUND", "MacOS", {8, 8, 4}, FormBackground(TskUIStyle::MacOS)));
    add(Finish("PROTEIN_FORM_BACKGROUND", "Protein", {8, 8, 4}, FormBackground(TskUIStyle::Protein)));
    add(Finish("PANEL_BUTTON", "Shared", {52, 12, 4}, PanelButton(52, 12)));
    add(Finish("MACOS_MENU_BAR", "MacOS", {1, 22, 4}, MenuBar(1, 22)));
    add(Finish("MACOS_MENU_SELECT", "MacOS", {1, 21, 8}, MenuSelect(1, 21)));
    std::sort(pictures.begin(), pictures.end(), [](const ArtPicture& a, const ArtPicture& b) { return a.Name < b.Name; });
    return pictures;
}

std::vector<uint8_t> BmpBytes(const ArtPicture& picture)
{
    TBitmap bitmap;
    std::vector<uint32_t> pixels(picture.Pixels);
    const TPixelFormat format = picture.Bits == 4 ? pf4bit : picture.Bits == 8 ? pf8bit : pf24bit;
    bitmap.AssignPixels(picture.Width, picture.Height, std::move(pixels), format);
    TMemoryStream stream;
    bitmap.SaveToStream(stream);
    std::vector<uint8_t> bytes(static_cast<size_t>(stream.Size()));
    stream.SetPosition(0);
    stream.ReadBuffer(bytes.data(), stream.Size());
    return bytes;
}

}  // namespace art
