// TJPEGImage and the JPEG codec over libjpeg.
//
// libjpeg reports errors through a callback that must not return; ours jumps
// back with longjmp. To keep that safe in C++, every libjpeg call happens in
// functions whose locals are all trivial, the libjpeg structures live in a job
// object of the caller, and C++ exceptions are thrown only between libjpeg calls.
#include "classlib/graphics/JpegImage.h"

#include "classlib/system/Exceptions.h"
#include "classlib/system/Streams.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

extern "C" {
#include <jerror.h>
#include <jpeglib.h>
}

namespace {

// A progressive file may describe any number of scans, each a pass over the whole
// picture; these bounds keep a hostile file from keeping the decoder busy for ages.
constexpr int MaxJpegScans = 1000;
constexpr int64_t MaxJpegScanPixels = int64_t(1) << 31;  // scans x pixels
constexpr long MaxJpegMemory = 1L << 30;

[[noreturn]] void Invalid(const std::string& why)
{
    throw EInvalidGraphic("JPEG image is not valid: " + why);
}

struct JpegErrorManager {
    jpeg_error_mgr Base;  // first: libjpeg sees only this part
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

JpegErrorManager& ErrorsOf(j_common_ptr info)
{
    return *reinterpret_cast<JpegErrorManager*>(info->err);
}

void OnJpegError(j_common_ptr info)
{
    JpegErrorManager& errors = ErrorsOf(info);
    (*info->err->format_message)(info, errors.Message);
    std::longjmp(errors.Jump, 1);
}

// Warnings mean corrupt data, which we refuse like an error; trace messages are dropped.
void OnJpegMessage(j_common_ptr info, int level)
{
    if (level < 0) OnJpegError(info);
}

void OnJpegProgress(j_common_ptr info)
{
    if (!info->is_decompressor) return;
    auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
    const int64_t scans = decompress->input_scan_number;
    const int64_t pixels = int64_t(decompress->image_width) * decompress->image_height;
    if (scans > MaxJpegScans || scans * pixels > MaxJpegScanPixels) {
        JpegErrorManager& errors = ErrorsOf(info);
        std::snprintf(errors.Message, sizeof errors.Message, "too many progressive scans (%d)",
                      decompress->input_scan_number);
        std::longjmp(errors.Jump, 1);
    }
}

// The least data a picture of this frame can come in. Every scan codes each
// block of its components in at least one bit (a Huffman code for the DC
// difference, or a refinement bit), and a file decodes only when some scan
// covers a component whole; so the data after the headers holds at least one
// bit per block of the component with the fewest blocks. That is the true
// minimum of Huffman coding, which a flat picture coded with optimised tables
// reaches; arithmetic coding can spend less on flat areas, and a picture of
// such data is refused all the same rather than allowed to claim the pixel
// cap's 256 MB from a few bytes.
uint64_t MinimumDataBytes(j_decompress_ptr info)
{
    uint64_t fewest = UINT64_MAX;
    for (int i = 0; i < info->num_components; ++i) {
        const jpeg_component_info& component = info->comp_info[i];
        fewest = std::min<uint64_t>(fewest, uint64_t(component.width_in_blocks) * component.height_in_blocks);
    }
    return fewest == UINT64_MAX ? 0 : (fewest + 7) / 8;
}

// The whole file is in memory, so asking for more input means it is truncated.
void InitSource(j_decompress_ptr) {}
void TermSource(j_decompress_ptr) {}

boolean FillInput(j_decompress_ptr info)
{
    ERREXIT(info, JERR_INPUT_EOF);
    return FALSE;
}

void SkipInput(j_decompress_ptr info, long count)
{
    jpeg_source_mgr* source = info->src;
    if (count <= 0) return;
    if (static_cast<unsigned long>(count) > source->bytes_in_buffer) ERREXIT(info, JERR_INPUT_EOF);
    source->next_input_byte += count;
    source->bytes_in_buffer -= static_cast<size_t>(count);
}

void InstallErrorManager(j_common_ptr info, JpegErrorManager& errors)
{
    info->err = jpeg_std_error(&errors.Base);
    errors.Base.error_exit = OnJpegError;
    errors.Base.emit_message = OnJpegMessage;
    errors.Message[0] = '\0';
}

uint8_t Multiply255(unsigned a, unsigned b)
{
    return static_cast<uint8_t>((a * b + 127) / 255);
}

void ConvertRow(const JSAMPLE* row, uint32_t* out, int width, int components, bool adobeInverted)
{
    for (int x = 0; x < width; ++x, row += components) {
        if (components == 1) {
            out[x] = uint32_t(row[0]) << 16 | uint32_t(row[0]) << 8 | row[0];
        } else if (components == 3) {
            out[x] = uint32_t(row[0]) << 16 | uint32_t(row[1]) << 8 | row[2];
        } else {
            // Adobe writers store CMYK inverted (0 is full ink).
            const unsigned c = adobeInverted ? row[0] : 255u - row[0];
            const unsigned m = adobeInverted ? row[1] : 255u - row[1];
            const unsigned y = adobeInverted ? row[2] : 255u - row[2];
            const unsigned k = adobeInverted ? row[3] : 255u - row[3];
            out[x] = uint32_t(Multiply255(c, k)) << 16 | uint32_t(Multiply255(m, k)) << 8 | Multiply255(y, k);
        }
    }
}

// ----------------------------------------------------------------------------
// Decoding

struct JpegDecodeJob {
    jpeg_decompress_struct Info;
    JpegErrorManager Errors;
    jpeg_source_mgr Source;
    jpeg_progress_mgr Progress;
    const uint8_t* Data;
    size_t Size;
    TJpegPixels* Out;
};

void DecodeJpegBody(JpegDecodeJob& job)
{
    j_decompress_ptr info = &job.Info;
    jpeg_create_decompress(info);
    info->mem->max_memory_to_use = MaxJpegMemory;
    job.Source.init_source = InitSource;
    job.Source.fill_input_buffer = FillInput;
    job.Source.skip_input_data = SkipInput;
    job.Source.resync_to_restart = jpeg_resync_to_restart;
    job.Source.term_source = TermSource;
    job.Source.next_input_byte = job.Data;
    job.Source.bytes_in_buffer = job.Size;
    info->src = &job.Source;
    job.Progress.progress_monitor = OnJpegProgress;
    info->progress = &job.Progress;

    jpeg_read_header(info, TRUE);
    // Checked before jpeg_start_decompress, which allocates for the whole picture.
    CheckGraphicSize("JPEG", info->image_width, info->image_height);
    if (MinimumDataBytes(info) > job.Source.bytes_in_buffer)
        Invalid("the file is too small for the picture size it declares (" + std::to_string(info->image_width) + " x " +
                std::to_string(info->image_height) + ")");
    switch (info->jpeg_color_space) {
    case JCS_GRAYSCALE:
        info->out_color_space = JCS_GRAYSCALE;
        break;
    case JCS_YCbCr:
    case JCS_RGB:
        info->out_color_space = JCS_RGB;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        info->out_color_space = JCS_CMYK;
        break;
    default:
        Invalid("unsupported colour space with " + std::to_string(info->num_components) + " components");
    }

    jpeg_start_decompress(info);
    const int width = static_cast<int>(info->output_width);
    const int height = static_cast<int>(info->output_height);
    const int components = info->output_components;
    CheckGraphicSize("JPEG", width, height);
    TJpegPixels& out = *job.Out;
    out.Width = width;
    out.Height = height;
    out.Grayscale = info->out_color_space == JCS_GRAYSCALE;
    out.Pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    JSAMPARRAY row = (*info->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(info), JPOOL_IMAGE,
                                                static_cast<JDIMENSION>(width * components), 1);
    while (info->output_scanline < info->output_height) {
        const JDIMENSION y = info->output_scanline;
        if (jpeg_read_scanlines(info, row, 1) != 1) ERREXIT(info, JERR_INPUT_EOF);
        ConvertRow(row[0], out.Pixels.data() + static_cast<size_t>(y) * width, width, components,
                   info->saw_Adobe_marker);
    }
    jpeg_finish_decompress(info);
}

// False when libjpeg reported an error (its text is in job.Errors.Message).
bool RunJpegDecode(JpegDecodeJob& job)
{
    InstallErrorManager(reinterpret_cast<j_common_ptr>(&job.Info), job.Errors);
    if (setjmp(job.Errors.Jump)) return false;
    DecodeJpegBody(job);
    return true;
}

// ----------------------------------------------------------------------------
// Encoding

struct JpegEncodeJob {
    jpeg_compress_struct Info;
    JpegErrorManager Errors;
    unsigned char* Buffer;
    unsigned long Size;
    const TPixelSurface* Surface;
    JSAMPLE* Row;
    int Quality;
    bool Progressive;
};

void EncodeJpegBody(JpegEncodeJob& job)
{
    j_compress_ptr info = &job.Info;
    jpeg_create_compress(info);
    jpeg_mem_dest(info, &job.Buffer, &job.Size);
    const TPixelSurface& surface = *job.Surface;
    info->image_width = static_cast<JDIMENSION>(surface.Width);
    info->image_height = static_cast<JDIMENSION>(surface.Height);
    info->input_components = 3;
    info->in_color_space = JCS_RGB;
    jpeg_set_defaults(info);
    jpeg_set_quality(info, job.Quality, TRUE);
    if (job.Progressive) jpeg_simple_progression(info);
    jpeg_start_compress(info, TRUE);
    JSAMPROW rows[1] = {job.Row};
    for (int y = 0; y < surface.Height; ++y) {
        const uint32_t* source = surface.Row(y);
        for (int x = 0; x < surface.Width; ++x) {
            job.Row[3 * x] = static_cast<JSAMPLE>((source[x] >> 16) & 0xFF);
            job.Row[3 * x + 1] = static_cast<JSAMPLE>((source[x] >> 8) & 0xFF);
            job.Row[3 * x + 2] = static_cast<JSAMPLE>(source[x] & 0xFF);
        }
        jpeg_write_scanlines(info, rows, 1);
    }
    jpeg_finish_compress(info);
}

bool RunJpegEncode(JpegEncodeJob& job)
{
    InstallErrorManager(reinterpret_cast<j_common_ptr>(&job.Info), job.Errors);
    if (setjmp(job.Errors.Jump)) return false;
    EncodeJpegBody(job);
    return true;
}

}  // namespace

TJpegPixels DecodeJpeg(const uint8_t* data, size_t size)
{
    if (size < 2 || data[0] != 0xFF || data[1] != 0xD8) Invalid("the file does not start with a JPEG marker");
    TJpegPixels pixels;
    JpegDecodeJob job{};
    job.Data = data;
    job.Size = size;
    job.Out = &pixels;
    bool ok = false;
    try {
        ok = RunJpegDecode(job);
    } catch (...) {
        jpeg_destroy_decompress(&job.Info);
        throw;
    }
    jpeg_destroy_decompress(&job.Info);
    if (!ok) Invalid(job.Errors.Message);
    return pixels;
}

std::vector<uint8_t> EncodeJpeg(const TPixelSurface& surface, int quality, bool progressive)
{
    if (!surface) throw EInvalidGraphic("Cannot save an empty JPEG image");
    std::vector<JSAMPLE> row(static_cast<size_t>(surface.Width) * 3);
    JpegEncodeJob job{};
    job.Surface = &surface;
    job.Row = row.data();
    job.Quality = std::clamp(quality, 1, 100);
    job.Progressive = progressive;
    const bool ok = RunJpegEncode(job);
    std::vector<uint8_t> encoded;
    if (ok) encoded.assign(job.Buffer, job.Buffer + job.Size);
    jpeg_destroy_compress(&job.Info);
    std::free(job.Buffer);
    if (!ok) throw EInvalidGraphic(std::string("JPEG encoding failed: ") + job.Errors.Message);
    return encoded;
}

// ----------------------------------------------------------------------------
// TJPEGImage

TJPEGImage::TJPEGImage() = default;

TJPEGImage::~TJPEGImage() = default;

void TJPEGImage::SetSize(int width, int height)
{
    FBitmap.SetSize(width, height);
    FData.clear();
    Changed();
}

void TJPEGImage::SetCompressionQuality(int value)
{
    FCompressionQuality = std::clamp(value, 1, 100);
}

void TJPEGImage::Draw(TCanvas* canvas, const TRect& rect)
{
    if (canvas && !Empty()) FBitmap.Draw(canvas, rect);
}

void TJPEGImage::LoadFromStream(TStream& stream)
{
    std::vector<uint8_t> data;
    try {
        data = ReadRemainingBytes(stream, MaxPictureFileBytes);
    } catch (const EReadError& e) {
        Invalid(e.Message());
    }
    TJpegPixels decoded = DecodeJpeg(data.data(), data.size());
    FBitmap.AssignPixels(decoded.Width, decoded.Height, std::move(decoded.Pixels), pf24bit);
    FData = std::move(data);
    FGrayscale = decoded.Grayscale;
    Changed();
}

void TJPEGImage::SaveToStream(TStream& stream)
{
    if (FData.empty()) FData = EncodeJpeg(FBitmap.Surface(), FCompressionQuality, FProgressiveEncoding);
    stream.WriteBuffer(FData.data(), static_cast<int64_t>(FData.size()));
}

void TJPEGImage::Assign(const TPersistent* source)
{
    if (auto jpeg = dynamic_cast<const TJPEGImage*>(source)) {
        if (jpeg == this) return;
        FBitmap.Assign(&jpeg->FBitmap);
        FData = jpeg->FData;
        FCompressionQuality = jpeg->FCompressionQuality;
        FProgressiveEncoding = jpeg->FProgressiveEncoding;
        FGrayscale = jpeg->FGrayscale;
        FTransparent = jpeg->FTransparent;
        Changed();
        return;
    }
    if (auto bitmap = dynamic_cast<const TBitmap*>(source)) {
        FBitmap.Assign(bitmap);
        FBitmap.SetTransparent(false);
        FData.clear();
        FGrayscale = false;
        Changed();
        return;
    }
    TGraphic::Assign(source);
}

void TJPEGImage::AssignTo(TPersistent* dest) const
{
    if (auto graphic = dynamic_cast<TGraphic*>(dest)) {
        graphic->Assign(&FBitmap);
        return;
    }
    TGraphic::AssignTo(dest);
}
