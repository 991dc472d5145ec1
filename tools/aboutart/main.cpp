// aboutart: makes the About page's icon and banner, the icon the help page
// shows, and the magnified sheet of both for the README. Writes them under
// ROOT (the source tree), or with --check compares the files there byte for
// byte with what it would write and exits 1 when any differs.
#include "classlib/graphics/Bitmap.h"
#include "classlib/graphics/JpegImage.h"
#include "classlib/graphics/PngImage.h"
#include "tools/aboutart/AboutPictures.h"
#include "tools/aboutart/ArtFiles.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// The About page is white, and the icon is drawn there with its corner colour
// keyed out: its colour channels are composed over white so that a reader
// that ignores alpha shows the same edges.
const TRgb AboutPageWhite = Rgb(0xFFFFFF);
// The help page shows the icon on its dark title band (Quilldoc.css).
const TRgb HelpBannerColour = Rgb(0x1B1B1F);
constexpr int BannerQuality = 95;

struct TOutput {
    std::string Path;  // relative to ROOT
    std::vector<uint8_t> Bytes;
};

void FromPixels(TBitmap& bitmap, int width, int height, std::vector<uint32_t>&& pixels)
{
    bitmap.AssignPixels(width, height, std::move(pixels), pf24bit);
}

// Nearest-neighbour enlargement of picture into sheet at (x, y), framed.
void PlaceMagnified(TBitmap& sheet, TBitmap& picture, int x, int y, int factor)
{
    TCanvas& canvas = *sheet.Canvas();
    const TRect dest(x, y, x + picture.Width() * factor, y + picture.Height() * factor);
    canvas.Brush()->SetColor(TColor(0xB0B0B0));
    canvas.FrameRect({dest.Left - 1, dest.Top - 1, dest.Right + 1, dest.Bottom + 1});
    canvas.CopyRect(dest, picture.Canvas(), {0, 0, picture.Width(), picture.Height()});
}

std::vector<TOutput> MakeOutputs()
{
    std::vector<TOutput> outputs;

    const TIconArt icon = MakeAboutIcon();
    TBitmap iconOnWhite, iconOnBand;
    icon.Image.ToBitmap(iconOnWhite, &icon.Alpha, AboutPageWhite);
    icon.Image.ToBitmap(iconOnBand, &icon.Alpha, HelpBannerColour);
    outputs.push_back({"resources/BITMAP/ABOUTICON.bmp", EncodeBmpWithAlpha(iconOnWhite, icon.Alpha)});
    outputs.push_back({"Quilldoc/velmora-icon.png", EncodePng(iconOnBand.Surface())});

    TBitmap banner;
    MakeAboutBanner().ToBitmap(banner);
    std::vector<uint8_t> jpeg = EncodeJpeg444(banner, BannerQuality);

    // The sheet shows the banner as decoded, as the About page will show it.
    TJpegPixels decoded = DecodeJpeg(jpeg.data(), jpeg.size());
    TBitmap shownBanner;
    FromPixels(shownBanner, decoded.Width, decoded.Height, std::move(decoded.Pixels));
    outputs.push_back({"resources/RCDATA/ABOUTBANNER.jpg", std::move(jpeg)});

    constexpr int Margin = 16, BannerFactor = 2, IconFactor = 4;
    const int width = Margin * 3 + BannerWidth * BannerFactor + IconSize * IconFactor;
    const int height = Margin * 2 + std::max(BannerHeight * BannerFactor, IconSize * IconFactor);
    TBitmap sheet(width, height);
    sheet.Canvas()->Brush()->SetColor(clWhite);
    sheet.Canvas()->FillRect({0, 0, width, height});
    PlaceMagnified(sheet, shownBanner, Margin, (height - BannerHeight * BannerFactor) / 2, BannerFactor);
    PlaceMagnified(sheet, iconOnWhite, Margin * 2 + BannerWidth * BannerFactor, Margin, IconFactor);
    outputs.push_back({"docs/about-art.png", EncodePng(sheet.Surface())});
    return outputs;
}

std::vector<uint8_t> ReadFile(const std::filesystem::path& path, bool& found)
{
    std::ifstream in(path, std::ios::binary);
    found = static_cast<bool>(in);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv)
{
    const bool check = argc == 3 && std::strcmp(argv[1], "--check") == 0;
    if (!(argc == 2 && argv[1][0] != '-') && !check) {
        std::fprintf(stderr, "usage: aboutart [--check] ROOT\n");
        return 2;
    }
    const std::filesystem::path root = argv[argc - 1];
    int differing = 0;
    for (const TOutput& output : MakeOutputs()) {
        const std::filesystem::path path = root / output.Path;
        if (check) {
            bool found = false;
            const std::vector<uint8_t> committed = ReadFile(path, found);
            if (!found || committed != output.Bytes) {
                std::printf("%s: %s what the generator makes\n", output.Path.c_str(),
                            found ? "differs from" : "missing, expected");
                ++differing;
            }
        } else if (!WriteFile(path, output.Bytes)) {
            std::fprintf(stderr, "aboutart: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    if (check && differing == 0) std::printf("aboutart: the committed pictures are up to date\n");
    return differing ? 1 : 0;
}
