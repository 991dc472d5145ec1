// libFuzzer target: the bytes are offered to the BMP, JPEG and PNG decoders in
// turn. Rejecting them with an Exception is the expected outcome; anything else
// (a crash, a sanitizer report, another exception type, an abort) is a finding.
#include "classlib/graphics/Bitmap.h"
#include "classlib/graphics/JpegImage.h"
#include "classlib/graphics/PngImage.h"
#include "classlib/system/Exceptions.h"
#include "classlib/system/Streams.h"

#include <cstddef>
#include <cstdint>

namespace {

const TBitmap& PixelsOf(const TBitmap& bitmap) { return bitmap; }
const TBitmap& PixelsOf(const TJPEGImage& jpeg) { return jpeg.Bitmap(); }
const TBitmap& PixelsOf(const TPngImage& png) { return png.Bitmap(); }

template <class Graphic>
void Feed(const uint8_t* data, size_t size)
{
    TMemoryStream stream;
    stream.WriteBuffer(data, static_cast<int64_t>(size));
    stream.SetPosition(0);
    Graphic graphic;
    try {
        graphic.LoadFromStream(stream);
    } catch (const Exception&) {
        return;
    }
    // A picture that loaded is whole: its corners can be read.
    const TBitmap& pixels = PixelsOf(graphic);
    if (pixels.Width() <= 0 || pixels.Height() <= 0) __builtin_trap();
    volatile uint32_t corners = pixels.ScanLine(0)[0] ^ pixels.ScanLine(pixels.Height() - 1)[pixels.Width() - 1];
    (void)corners;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Feed<TBitmap>(data, size);
    Feed<TJPEGImage>(data, size);
    Feed<TPngImage>(data, size);
    return 0;
}
