// Stretched, mirrored and colour-keyed block copies.
#include "classlib/raster/RasterBlit.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace Raster {

namespace {

__extension__ typedef __int128 Wide;

Coord ScaleDown(Coord i, Coord numerator, Coord denominator)
{
    return static_cast<Coord>(Wide(i) * numerator / denominator);
}

// One source row copied onto one destination row, pixel by pixel.
struct TRowCopy {
    const TBlitKey& Key;

    void Put(uint32_t& dst, uint32_t src, Coord x, Coord y) const
    {
        switch (Key.Mode) {
        case TBlitKey::kmNone: dst = src; return;
        case TBlitKey::kmSkip:
            if ((src & 0x00FFFFFFu) != Key.Key) dst = src;
            return;
        case TBlitKey::kmBrush:
            if ((src & 0x00FFFFFFu) != Key.Key) {
                dst = src;
                return;
            }
            if (uint32_t pixel = 0; Key.Brush && Key.Brush->PixelAt(x, y, pixel)) dst = pixel;
            return;
        }
    }
};

} // namespace

void StretchBlit(const TTarget& target, const TBox& dest, const TPixelSurface& source, const TBox& src,
                 const TBlitKey& key)
{
    if (target.Empty() || !source) return;
    const Coord dw = dest.Right - dest.Left, dh = dest.Bottom - dest.Top;
    const Coord sw = src.Right - src.Left, sh = src.Bottom - src.Top;
    if (dw == 0 || dh == 0 || sw == 0 || sh == 0) return;
    const bool flipX = (dw < 0) != (sw < 0), flipY = (dh < 0) != (sh < 0);
    const Coord destLeft = std::min(dest.Left, dest.Right), destTop = std::min(dest.Top, dest.Bottom);
    const Coord destWidth = std::llabs(dw), destHeight = std::llabs(dh);
    const Coord srcLeft = std::min(src.Left, src.Right), srcTop = std::min(src.Top, src.Bottom);
    const Coord srcWidth = std::llabs(sw), srcHeight = std::llabs(sh);

    const TRect& clip = target.Clip();
    Coord x0 = std::max<Coord>(destLeft, clip.Left), x1 = std::min<Coord>(destLeft + destWidth, clip.Right);
    Coord y0 = std::max<Coord>(destTop, clip.Top), y1 = std::min<Coord>(destTop + destHeight, clip.Bottom);
    if (x0 >= x1 || y0 >= y1) return;

    const TPixelSurface& out = target.Surface();
    const bool sameSize = destWidth == srcWidth && destHeight == srcHeight && !flipX && !flipY;
    if (sameSize && key.Mode == TBlitKey::kmNone) {
        const Coord offX = srcLeft - destLeft, offY = srcTop - destTop;
        x0 = std::max<Coord>(x0, -offX);
        x1 = std::min<Coord>(x1, source.Width - offX);
        y0 = std::max<Coord>(y0, -offY);
        y1 = std::min<Coord>(y1, source.Height - offY);
        if (x0 >= x1 || y0 >= y1) return;
        const size_t bytes = static_cast<size_t>(x1 - x0) * sizeof(uint32_t);
        if (x0 == 0 && x1 == out.Width && offX == 0 && out.Stride == out.Width && source.Stride == out.Width) {
            // Whole rows between packed surfaces of one width are one block.
            std::memmove(out.Row(static_cast<int>(y0)), source.Row(static_cast<int>(y0 + offY)),
                         bytes * static_cast<size_t>(y1 - y0));
            return;
        }
        // Rows move like memmove moves bytes: from the far end when the copy goes down.
        const bool bottomUp = source.Bits == out.Bits && offY < 0;
        for (Coord k = 0; k < y1 - y0; ++k) {
            const Coord y = bottomUp ? y1 - 1 - k : y0 + k;
            std::memmove(out.Row(static_cast<int>(y)) + x0, source.Row(static_cast<int>(y + offY)) + x0 + offX, bytes);
        }
        return;
    }

    if (source.Bits == out.Bits) {
        // Stretching within one surface would read pixels it has already written:
        // take the source part first.
        const Coord left = std::max<Coord>(srcLeft, 0), right = std::min<Coord>(srcLeft + srcWidth, source.Width);
        const Coord top = std::max<Coord>(srcTop, 0), bottom = std::min<Coord>(srcTop + srcHeight, source.Height);
        if (left >= right || top >= bottom) return;
        std::vector<uint32_t> copy(static_cast<size_t>((right - left) * (bottom - top)));
        const TPixelSurface part{copy.data(), static_cast<int>(right - left), static_cast<int>(bottom - top),
                                 static_cast<int>(right - left)};
        for (Coord y = top; y < bottom; ++y)
            std::memcpy(part.Row(static_cast<int>(y - top)), source.Row(static_cast<int>(y)) + left,
                        static_cast<size_t>(part.Width) * sizeof(uint32_t));
        const TBox moved{src.Left - left, src.Top - top, src.Right - left, src.Bottom - top};
        StretchBlit(target, dest, part, moved, key);
        return;
    }

    const TRowCopy put{key};
    const Coord stepWhole = srcWidth / destWidth, stepPart = srcWidth % destWidth;
    const Coord count = x1 - x0;
    // Destination columns are visited so that the source index grows: right to
    // left when mirrored.
    const Coord firstIndex = flipX ? destWidth - 1 - (x1 - 1 - destLeft) : x0 - destLeft;
    const Coord firstWhole = ScaleDown(firstIndex, srcWidth, destWidth);
    const Coord firstPart = static_cast<Coord>(Wide(firstIndex) * srcWidth - Wide(firstWhole) * destWidth);
    for (Coord y = y0; y < y1; ++y) {
        Coord row = y - destTop;
        if (flipY) row = destHeight - 1 - row;
        const Coord sy = srcTop + ScaleDown(row, srcHeight, destHeight);
        if (sy < 0 || sy >= source.Height) continue;
        const uint32_t* in = source.Row(static_cast<int>(sy));
        uint32_t* dst = out.Row(static_cast<int>(y));
        Coord whole = firstWhole, part = firstPart;
        for (Coord k = 0; k < count; ++k) {
            const Coord x = flipX ? x1 - 1 - k : x0 + k;
            const Coord sx = srcLeft + whole;
            if (sx >= 0 && sx < source.Width) put.Put(dst[x], in[sx], x, y);
            whole += stepWhole;
            part += stepPart;
            if (part >= destWidth) {
                part -= destWidth;
                ++whole;
            }
        }
    }
}

} // namespace Raster
