// TPngImage and the PNG codec over libpng.
//
// libpng reports errors through a callback that jumps back with longjmp. As with
// the JPEG codec, every libpng call happens in functions whose locals are all
// trivial, the libpng structures belong to a job object of the caller, and C++
// exceptions never cross a libpng frame.
#include "classlib/graphics/PngImage.h"

#include "classlib/system/Exceptions.h"
#include "classlib/system/Streams.h"

#include <bit>
#include <cstdio>
#include <cstring>

#include <png.h>

// Decoded rows are written straight into 0x00RRGGBB words as the bytes B, G, R, X.
static_assert(std::endian::native == std::endian::little, "pixel byte order assumes a little-endian machine");

namespace {

// Ancillary chunks (text, profiles) may not make libpng allocate more than this.
constexpr png_alloc_size_t MaxPngChunkBytes = 8u << 20;
// The best compression deflate can reach, with a margin.
constexpr uint64_t MaxDeflateRatio = 1100;

[[noreturn]] void Invalid(const std::string& why)
{
    throw EInvalidGraphic("PNG image is not valid: " + why);
}

// The part of a job that the error callback fills in.
struct PngErrorSink {
    char Message[256];
};

void OnPngError(png_structp png, png_const_charp message)
{
    auto* sink = static_cast<PngErrorSink*>(png_get_error_ptr(png));
    std::snprintf(sink->Message, sizeof sink->Message, "%s", message ? message : "unknown error");
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

// ----------------------------------------------------------------------------
// Decoding

struct PngReadJob {
    PngErrorSink Errors;  // first: the error pointer points at the job
    png_structp Png;
    png_infop Info;
    const uint8_t* Data;
    size_t Size;
    size_t Offset;
    TPngPixels* Out;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t count)
{
    auto* job = static_cast<PngReadJob*>(png_get_io_ptr(png));
    if (count > job->Size - job->Offset) png_error(png, "the file is truncated");
    std::memcpy(out, job->Data + job->Offset, count);
    job->Offset += count;
}

uint32_t OverBlack(uint32_t bgra)
{
    const uint32_t alpha = bgra >> 24;
    uint32_t result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t channel = (bgra >> shift) & 0xFF;
        result |= ((channel * alpha + 127) / 255) << shift;
    }
    return result;
}

void DecodePngBody(PngReadJob& job)
{
    png_structp png = job.Png;
    png_infop info = job.Info;
    png_set_read_fn(png, &job, ReadFromMemory);
    png_set_user_limits(png, MaxGraphicDimension, MaxGraphicDimension);
    png_set_chunk_malloc_max(png, MaxPngChunkBytes);
    png_read_info(png, info);

    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    // Checked before anything is allocated for the pixels.
    CheckGraphicSize("PNG", width, height);
    // Deflate packs at most about 1032 bytes into one, so a file far too small for
    // the picture it announces is refused before the pixels are allocated.
    const uint64_t sampleBits = uint64_t(png_get_bit_depth(png, info)) * png_get_channels(png, info);
    if (uint64_t(width) * height * sampleBits / 8 > uint64_t(MaxDeflateRatio) * job.Size)
        png_error(png, "the file is too small for the picture size it declares");
    const bool hasAlpha = (png_get_color_type(png, info) & PNG_COLOR_MASK_ALPHA) != 0 ||
                          png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    png_set_expand(png);
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    png_set_bgr(png);
    if (!hasAlpha) png_set_filler(png, 0, PNG_FILLER_AFTER);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != static_cast<size_t>(width) * 4) png_error(png, "unexpected row layout");

    TPngPixels& out = *job.Out;
    out.Width = static_cast<int>(width);
    out.Height = static_cast<int>(height);
    out.Pixels.resize(static_cast<size_t>(width) * height);
    // Each pass of an interlaced file fills in more pixels of the same rows.
    for (int pass = 0; pass < passes; ++pass)
        for (png_uint_32 y = 0; y < height; ++y)
            png_read_row(png, reinterpret_cast<png_bytep>(out.Pixels.data() + static_cast<size_t>(y) * width), nullptr);
    png_read_end(png, nullptr);
    if (hasAlpha)
        for (uint32_t& pixel : out.Pixels) pixel = OverBlack(pixel);
}

bool RunPngDecode(PngReadJob& job)
{
    if (setjmp(png_jmpbuf(job.Png))) return false;
    DecodePngBody(job);
    return true;
}

// ----------------------------------------------------------------------------
// Encoding

struct PngWriteJob {
    PngErrorSink Errors;
    png_structp Png;
    png_infop Info;
    const TPixelSurface* Surface;
    png_bytep Row;
    std::vector<uint8_t>* Out;
};

void WriteToMemory(png_structp png, png_bytep data, png_size_t count)
{
    auto* job = static_cast<PngWriteJob*>(png_get_io_ptr(png));
    bool failed = false;
    try {
        job->Out->insert(job->Out->end(), data, data + count);
    } catch (...) {
        failed = true;
    }
    // Outside the handler: png_error leaves by longjmp.
    if (failed) png_error(png, "out of memory");
}

void FlushNothing(png_structp) {}

void EncodePngBody(PngWriteJob& job)
{
    png_structp png = job.Png;
    const TPixelSurface& surface = *job.Surface;
    png_set_write_fn(png, &job, WriteToMemory, FlushNothing);
    png_set_IHDR(png, job.Info, static_cast<png_uint_32>(surface.Width), static_cast<png_uint_32>(surface.Height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, job.Info);
    for (int y = 0; y < surface.Height; ++y) {
        const uint32_t* source = surface.Row(y);
        for (int x = 0; x < surface.Width; ++x) {
            job.Row[3 * x] = static_cast<png_byte>((source[x] >> 16) & 0xFF);
            job.Row[3 * x + 1] = static_cast<png_byte>((source[x] >> 8) & 0xFF);
            job.Row[3 * x + 2] = static_cast<png_byte>(source[x] & 0xFF);
        }
        png_write_row(png, job.Row);
    }
    png_write_end(png, nullptr);
}

bool RunPngEncode(PngWriteJob& job)
{
    if (setjmp(png_jmpbuf(job.Png))) return false;
    EncodePngBody(job);
    return true;
}

std::vector<uint8_t> ReadPngBytes(TStream& stream)
{
    try {
        return ReadRemainingBytes(stream, MaxPictureFileBytes);
    } catch (const EReadError& e) {
        Invalid(e.Message());
    }
}

}  // namespace

TPngPixels DecodePng(const uint8_t* data, size_t size)
{
    if (size < 8 || png_sig_cmp(data, 0, 8) != 0) Invalid("the file does not start with the PNG signature");
    TPngPixels pixels;
    PngReadJob job{};
    job.Data = data;
    job.Size = size;
    job.Out = &pixels;
    job.Png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &job.Errors, OnPngError, OnPngWarning);
    if (job.Png) job.Info = png_create_info_struct(job.Png);
    if (!job.Png || !job.Info) {
        png_destroy_read_struct(&job.Png, &job.Info, nullptr);
        throw EInvalidGraphic("PNG decoder could not be created");
    }
    bool ok = false;
    try {
        ok = RunPngDecode(job);
    } catch (...) {
        png_destroy_read_struct(&job.Png, &job.Info, nullptr);
        throw;
    }
    png_destroy_read_struct(&job.Png, &job.Info, nullptr);
    if (!ok) Invalid(job.Errors.Message);
    return pixels;
}

std::vector<uint8_t> EncodePng(const TPixelSurface& surface)
{
    if (!surface) throw EInvalidGraphic("Cannot save an empty picture as PNG");
    std::vector<uint8_t> encoded;
    std::vector<png_byte> row(static_cast<size_t>(surface.Width) * 3);
    PngWriteJob job{};
    job.Surface = &surface;
    job.Row = row.data();
    job.Out = &encoded;
    job.Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &job.Errors, OnPngError, OnPngWarning);
    if (job.Png) job.Info = png_create_info_struct(job.Png);
    if (!job.Png || !job.Info) {
        png_destroy_write_struct(&job.Png, &job.Info);
        throw EInvalidGraphic("PNG encoder could not be created");
    }
    const bool ok = RunPngEncode(job);
    png_destroy_write_struct(&job.Png, &job.Info);
    if (!ok) throw EInvalidGraphic(std::string("PNG encoding failed: ") + job.Errors.Message);
    return encoded;
}

void SavePng(const TPixelSurface& surface, const std::string& path)
{
    const std::vector<uint8_t> encoded = EncodePng(surface);
    TFileStream file(path, fmCreate);
    file.WriteBuffer(encoded.data(), static_cast<int64_t>(encoded.size()));
}

void LoadPng(const std::string& path, TBitmap& bitmap)
{
    TFileStream file(path, fmOpenRead);
    const std::vector<uint8_t> data = ReadPngBytes(file);
    TPngPixels decoded = DecodePng(data.data(), data.size());
    bitmap.AssignPixels(decoded.Width, decoded.Height, std::move(decoded.Pixels), pf24bit);
}

// ----------------------------------------------------------------------------
// TPngImage

TPngImage::TPngImage() = default;

TPngImage::~TPngImage() = default;

void TPngImage::SetSize(int width, int height)
{
    FBitmap.SetSize(width, height);
    Changed();
}

void TPngImage::Draw(TCanvas* canvas, const TRect& rect)
{
    if (canvas && !Empty()) FBitmap.Draw(canvas, rect);
}

void TPngImage::LoadFromStream(TStream& stream)
{
    const std::vector<uint8_t> data = ReadPngBytes(stream);
    TPngPixels decoded = DecodePng(data.data(), data.size());
    FBitmap.AssignPixels(decoded.Width, decoded.Height, std::move(decoded.Pixels), pf24bit);
    Changed();
}

void TPngImage::SaveToStream(TStream& stream)
{
    const std::vector<uint8_t> encoded = EncodePng(FBitmap.Surface());
    stream.WriteBuffer(encoded.data(), static_cast<int64_t>(encoded.size()));
}

void TPngImage::Assign(const TPersistent* source)
{
    if (auto png = dynamic_cast<const TPngImage*>(source)) {
        if (png == this) return;
        FBitmap.Assign(&png->FBitmap);
        FTransparent = png->FTransparent;
        Changed();
        return;
    }
    if (auto bitmap = dynamic_cast<const TBitmap*>(source)) {
        FBitmap.Assign(bitmap);
        FBitmap.SetTransparent(false);
        Changed();
        return;
    }
    TGraphic::Assign(source);
}

void TPngImage::AssignTo(TPersistent* dest) const
{
    if (auto graphic = dynamic_cast<TGraphic*>(dest)) {
        graphic->Assign(&FBitmap);
        return;
    }
    TGraphic::AssignTo(dest);
}
