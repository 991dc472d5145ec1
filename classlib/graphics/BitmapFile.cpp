// TBitmap's file format: reading BMP files of 1, 4, 8, 16, 24 and 32 bits per
// pixel (core, info, V4 and V5 headers; BI_RGB and bit fields) and writing 24-bit
// files, or 4- and 8-bit files with a palette for pictures of those formats. Every
// size in a header is checked against the file before anything is allocated from it.
#include "classlib/graphics/Bitmap.h"
#include "classlib/system/Exceptions.h"
#include "classlib/system/Resources.h"
#include "classlib/system/Streams.h"

#include <algorithm>
#include <array>

namespace {

constexpr uint32_t BI_RGB = 0;
constexpr uint32_t BI_RLE8 = 1;
constexpr uint32_t BI_RLE4 = 2;
constexpr uint32_t BI_BITFIELDS = 3;
constexpr uint32_t BI_JPEG = 4;
constexpr uint32_t BI_PNG = 5;
constexpr uint32_t BI_ALPHABITFIELDS = 6;

constexpr int FileHeaderSize = 14;
constexpr int CoreHeaderSize = 12;
constexpr int InfoHeaderSize = 40;
constexpr int MaxInfoHeaderSize = 124;  // BITMAPV5HEADER

[[noreturn]] void Invalid(const std::string& why)
{
    throw EInvalidGraphic("Bitmap image is not valid: " + why);
}

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t U32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }
int32_t I32(const uint8_t* p) { return static_cast<int32_t>(U32(p)); }

void PutU16(uint8_t* p, uint32_t v) { p[0] = v & 0xFF; p[1] = (v >> 8) & 0xFF; }
void PutU32(uint8_t* p, uint32_t v) { PutU16(p, v); PutU16(p + 2, v >> 16); }

// One colour channel of a bit-field pixel, scaled to 0..255.
class ChannelMask {
public:
    explicit ChannelMask(uint32_t mask) : FMask(mask)
    {
        if (!mask) return;
        FShift = __builtin_ctz(mask);
        FBits = 32 - __builtin_clz(mask >> FShift);
    }
    uint32_t Extract(uint32_t value) const
    {
        if (!FBits) return 0;
        const uint32_t v = (value & FMask) >> FShift;
        if (FBits >= 8) return v >> (FBits - 8);
        const uint32_t max = (1u << FBits) - 1;
        return (v * 255 + max / 2) / max;
    }

private:
    uint32_t FMask = 0;
    int FShift = 0;
    int FBits = 0;
};

// What the headers say about the picture, after validation.
struct BmpLayout {
    int Width = 0;
    int Height = 0;
    bool TopDown = false;
    int BitCount = 0;
    uint32_t Compression = BI_RGB;
    uint32_t RedMask = 0, GreenMask = 0, BlueMask = 0;
    int PaletteEntrySize = 4;  // 3 in files with the old core header
    int64_t PaletteCount = 0;
    int64_t RowStride = 0;
    int64_t PixelOffset = 0;   // from the start of the file
};

// Reads count bytes, reporting a short file as a bad bitmap.
void ReadBytes(TStream& stream, void* buffer, int64_t count)
{
    if (stream.Read(buffer, count) != count) Invalid("the file is truncated");
}

void SetDefaultMasks(BmpLayout& layout)
{
    if (layout.BitCount == 16) {
        layout.RedMask = 0x7C00, layout.GreenMask = 0x03E0, layout.BlueMask = 0x001F;
    } else {
        layout.RedMask = 0xFF0000, layout.GreenMask = 0x00FF00, layout.BlueMask = 0x0000FF;
    }
}

void CheckDepthAndCompression(const BmpLayout& layout)
{
    const int bits = layout.BitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        Invalid(std::to_string(bits) + " bits per pixel is not supported");
    switch (layout.Compression) {
    case BI_RGB:
        return;
    case BI_BITFIELDS:
    case BI_ALPHABITFIELDS:
        if (bits != 16 && bits != 32) Invalid("bit fields need 16 or 32 bits per pixel, not " + std::to_string(bits));
        return;
    case BI_RLE8:
    case BI_RLE4:
        Invalid("run-length compressed bitmaps are not supported");
    case BI_JPEG:
    case BI_PNG:
        Invalid("bitmaps holding JPEG or PNG data are not supported");
    default:
        Invalid("unknown compression " + std::to_string(layout.Compression));
    }
}

// Reads the file header, the info header and any bit-field masks; leaves the
// stream at the palette.
BmpLayout ReadHeaders(TStream& stream, int64_t fileBytes)
{
    uint8_t fileHeader[FileHeaderSize];
    ReadBytes(stream, fileHeader, FileHeaderSize);
    if (fileHeader[0] != 'B' || fileHeader[1] != 'M') Invalid("the file does not start with \"BM\"");

    uint8_t header[MaxInfoHeaderSize] = {};
    ReadBytes(stream, header, 4);
    const uint32_t headerSize = U32(header);
    if (headerSize != CoreHeaderSize && headerSize != InfoHeaderSize && headerSize != 52 && headerSize != 56 &&
        headerSize != 108 && headerSize != MaxInfoHeaderSize)
        Invalid("unknown header size " + std::to_string(headerSize));
    ReadBytes(stream, header + 4, headerSize - 4);

    BmpLayout layout;
    int64_t width = 0, height = 0;
    if (headerSize == CoreHeaderSize) {
        width = U16(header + 4);
        height = U16(header + 6);
        layout.BitCount = U16(header + 10);
        layout.PaletteEntrySize = 3;
    } else {
        width = I32(header + 4);
        height = I32(header + 8);
        layout.BitCount = U16(header + 14);
        layout.Compression = U32(header + 16);
    }
    layout.TopDown = height < 0;
    if (height < 0) height = -height;  // 64-bit: safe for INT32_MIN
    CheckGraphicSize("Bitmap", width, height);
    layout.Width = static_cast<int>(width);
    layout.Height = static_cast<int>(height);
    CheckDepthAndCompression(layout);

    int64_t paletteOffset = FileHeaderSize + headerSize;
    SetDefaultMasks(layout);
    if (layout.Compression == BI_BITFIELDS || layout.Compression == BI_ALPHABITFIELDS) {
        if (headerSize == InfoHeaderSize) {
            // The masks follow a plain info header; the alpha mask, if any, is not used.
            const int maskBytes = layout.Compression == BI_ALPHABITFIELDS ? 16 : 12;
            ReadBytes(stream, header + InfoHeaderSize, maskBytes);
            paletteOffset += maskBytes;
        }
        layout.RedMask = U32(header + 40);
        layout.GreenMask = U32(header + 44);
        layout.BlueMask = U32(header + 48);
    }

    layout.PixelOffset = U32(fileHeader + 10);
    if (layout.BitCount <= 8) {
        const int64_t maxColours = int64_t(1) << layout.BitCount;
        const int64_t used = headerSize == CoreHeaderSize ? 0 : U32(header + 32);
        if (used > maxColours)
            Invalid("a palette of " + std::to_string(used) + " colours is too large for " +
                    std::to_string(layout.BitCount) + " bits per pixel");
        // Without a count the palette is full size, but writers often store only the
        // colours used: take what fits before the pixels.
        const int64_t room = std::max<int64_t>(0, layout.PixelOffset - paletteOffset) / layout.PaletteEntrySize;
        layout.PaletteCount = used ? used : std::min(maxColours, room);
    }
    const int64_t paletteEnd = paletteOffset + layout.PaletteCount * layout.PaletteEntrySize;
    if (layout.PixelOffset < paletteEnd)
        Invalid("the pixel data offset " + std::to_string(layout.PixelOffset) + " lies inside the headers and palette (" +
                std::to_string(paletteEnd) + " bytes)");

    layout.RowStride = (static_cast<int64_t>(layout.Width) * layout.BitCount + 31) / 32 * 4;
    const int64_t pixelBytes = layout.RowStride * layout.Height;
    if (layout.PixelOffset + pixelBytes > fileBytes)
        Invalid("the pixel data is truncated: " + std::to_string(pixelBytes) + " bytes needed at offset " +
                std::to_string(layout.PixelOffset) + ", the file has " + std::to_string(fileBytes));
    return layout;
}

// The palette as pixels; indices beyond the file's palette are black.
std::array<uint32_t, 256> ReadPalette(TStream& stream, const BmpLayout& layout)
{
    std::array<uint32_t, 256> palette{};
    uint8_t entry[4];
    for (int64_t i = 0; i < layout.PaletteCount; ++i) {
        ReadBytes(stream, entry, layout.PaletteEntrySize);
        palette[static_cast<size_t>(i)] = static_cast<uint32_t>(entry[2]) << 16 | entry[1] << 8 | entry[0];
    }
    return palette;
}

void DecodeRow(const uint8_t* row, uint32_t* out, const BmpLayout& layout, const std::array<uint32_t, 256>& palette,
               const ChannelMask& red, const ChannelMask& green, const ChannelMask& blue)
{
    const int width = layout.Width;
    switch (layout.BitCount) {
    case 1:
        for (int x = 0; x < width; ++x) out[x] = palette[(row[x >> 3] >> (7 - (x & 7))) & 1];
        break;
    case 4:
        for (int x = 0; x < width; ++x) out[x] = palette[(row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F];
        break;
    case 8:
        for (int x = 0; x < width; ++x) out[x] = palette[row[x]];
        break;
    case 24:
        for (int x = 0; x < width; ++x, row += 3)
            out[x] = static_cast<uint32_t>(row[2]) << 16 | row[1] << 8 | row[0];
        break;
    case 16:
    case 32: {
        const int bytes = layout.BitCount / 8;
        for (int x = 0; x < width; ++x, row += bytes) {
            const uint32_t v = bytes == 2 ? U16(row) : U32(row);
            out[x] = red.Extract(v) << 16 | green.Extract(v) << 8 | blue.Extract(v);
        }
        break;
    }
    }
}

TPixelFormat FormatOf(const BmpLayout& layout)
{
    switch (layout.BitCount) {
    case 1: return pf1bit;
    case 4: return pf4bit;
    case 8: return pf8bit;
    case 24: return pf24bit;
    case 16:
        if (layout.RedMask == 0x7C00 && layout.GreenMask == 0x03E0 && layout.BlueMask == 0x001F) return pf15bit;
        if (layout.RedMask == 0xF800 && layout.GreenMask == 0x07E0 && layout.BlueMask == 0x001F) return pf16bit;
        return pfCustom;
    default:
        if (layout.RedMask == 0xFF0000 && layout.GreenMask == 0x00FF00 && layout.BlueMask == 0x0000FF) return pf32bit;
        return pfCustom;
    }
}

// The depth a picture is written with: 4 or 8 bits with a palette of its colours
// in ascending order (so the same picture always gives the same file) when its
// format asks for that and its colours fit, else 24 bits, so no colour is lost.
int FileBitCount(TPixelFormat format, const std::vector<uint32_t>& pixels, std::vector<uint32_t>& palette)
{
    palette.clear();
    if (format != pf4bit && format != pf8bit) return 24;
    palette.reserve(pixels.size());
    for (uint32_t px : pixels) palette.push_back(px & 0x00FFFFFFu);
    std::sort(palette.begin(), palette.end());
    palette.erase(std::unique(palette.begin(), palette.end()), palette.end());
    const int bits = format == pf4bit ? 4 : 8;
    if (palette.size() <= (size_t(1) << bits)) return bits;
    palette.clear();
    return 24;
}

// One row of the file: palette indices (high nibble first at 4 bits) or blue, green, red bytes.
void EncodeRow(const uint32_t* source, int width, int bits, const std::vector<uint32_t>& palette, uint8_t* out)
{
    for (int x = 0; x < width; ++x) {
        const uint32_t colour = source[x] & 0x00FFFFFFu;
        if (bits == 24) {
            out[3 * x] = colour & 0xFF;
            out[3 * x + 1] = (colour >> 8) & 0xFF;
            out[3 * x + 2] = (colour >> 16) & 0xFF;
            continue;
        }
        const auto index = static_cast<uint8_t>(std::lower_bound(palette.begin(), palette.end(), colour) - palette.begin());
        if (bits == 8)
            out[x] = index;
        else if (x % 2 == 0)
            out[x / 2] = static_cast<uint8_t>(index << 4);
        else
            out[x / 2] = static_cast<uint8_t>(out[x / 2] | index);
    }
}

}  // namespace

void TBitmap::LoadFromStream(TStream& stream)
{
    const int64_t start = stream.Position();
    const int64_t fileBytes = stream.Size() - start;
    const BmpLayout layout = ReadHeaders(stream, fileBytes);
    const auto palette = ReadPalette(stream, layout);
    const ChannelMask red(layout.RedMask), green(layout.GreenMask), blue(layout.BlueMask);

    stream.SetPosition(start + layout.PixelOffset);
    std::vector<uint32_t> pixels(static_cast<size_t>(layout.Width) * static_cast<size_t>(layout.Height));
    std::vector<uint8_t> row(static_cast<size_t>(layout.RowStride));
    for (int fileRow = 0; fileRow < layout.Height; ++fileRow) {
        ReadBytes(stream, row.data(), layout.RowStride);
        const int y = layout.TopDown ? fileRow : layout.Height - 1 - fileRow;
        DecodeRow(row.data(), pixels.data() + static_cast<size_t>(y) * layout.Width, layout, palette, red, green, blue);
    }
    // The depth of the file is reported as is; a 1-bit file keeps its palette's colours.
    AssignPixels(layout.Width, layout.Height, std::move(pixels), FormatOf(layout));
}

void TBitmap::SaveToStream(TStream& stream)
{
    if (FWidth == 0 || FHeight == 0) throw EInvalidGraphic("Cannot save an empty bitmap");
    std::vector<uint32_t> palette;
    const int bits = FileBitCount(FPixelFormat, FPixels, palette);
    const int64_t stride = (static_cast<int64_t>(FWidth) * bits + 31) / 32 * 4;
    const int64_t imageBytes = stride * FHeight;
    const int64_t paletteBytes = 4 * static_cast<int64_t>(palette.size());
    const int64_t headersBytes = FileHeaderSize + InfoHeaderSize + paletteBytes;

    uint8_t headers[FileHeaderSize + InfoHeaderSize] = {};
    headers[0] = 'B';
    headers[1] = 'M';
    PutU32(headers + 2, static_cast<uint32_t>(headersBytes + imageBytes));
    PutU32(headers + 10, static_cast<uint32_t>(headersBytes));
    uint8_t* info = headers + FileHeaderSize;
    PutU32(info, InfoHeaderSize);
    PutU32(info + 4, static_cast<uint32_t>(FWidth));
    PutU32(info + 8, static_cast<uint32_t>(FHeight));  // positive: rows bottom-up
    PutU16(info + 12, 1);
    PutU16(info + 14, static_cast<uint32_t>(bits));
    PutU32(info + 16, BI_RGB);
    PutU32(info + 20, static_cast<uint32_t>(imageBytes));
    PutU32(info + 32, static_cast<uint32_t>(palette.size()));
    stream.WriteBuffer(headers, sizeof headers);
    for (uint32_t colour : palette) {
        uint8_t entry[4] = {static_cast<uint8_t>(colour & 0xFF), static_cast<uint8_t>((colour >> 8) & 0xFF),
                            static_cast<uint8_t>((colour >> 16) & 0xFF), 0};
        stream.WriteBuffer(entry, 4);
    }

    std::vector<uint8_t> row(static_cast<size_t>(stride), 0);
    for (int y = FHeight - 1; y >= 0; --y) {
        EncodeRow(FSurface.Row(y), FWidth, bits, palette, row.data());
        stream.WriteBuffer(row.data(), stride);
    }
}

void TBitmap::LoadFromResourceName(const std::string& name)
{
    TResourceStream stream(name, RT_BITMAP);
    LoadFromStream(stream);
}

void TBitmap::AssignPixels(int width, int height, std::vector<uint32_t>&& pixels, TPixelFormat format)
{
    if (width < 0 || height < 0 || width > MaxGraphicDimension || height > MaxGraphicDimension ||
        pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height))
        throw EInvalidGraphic("Bitmap size " + std::to_string(width) + " x " + std::to_string(height) +
                              " does not match its " + std::to_string(pixels.size()) + " pixels");
    FPixels = std::move(pixels);
    FWidth = width;
    FHeight = height;
    FSurface = TPixelSurface{width && height ? FPixels.data() : nullptr, width, height, width};
    FCanvas.SetSurface(FSurface);
    FPixelFormat = format;
    Changed();
}
