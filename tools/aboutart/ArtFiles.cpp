#include "tools/aboutart/ArtFiles.h"

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

constexpr uint32_t FileHeaderBytes = 14;
constexpr uint32_t V5HeaderBytes = 124;
constexpr uint32_t BI_BITFIELDS = 3;
constexpr uint32_t LCS_sRGB = 0x73524742;  // 'sRGB'
constexpr uint32_t LCS_GM_IMAGES = 4;
constexpr uint32_t PixelsPerMetre96Dpi = 3780;

}  // namespace

std::vector<uint8_t> EncodeBmpWithAlpha(const TBitmap& colour, const TCoverage& alpha)
{
    const int width = colour.Width(), height = colour.Height();
    const uint32_t imageBytes = uint32_t(width) * uint32_t(height) * 4;
    std::vector<uint8_t> out;
    out.reserve(FileHeaderBytes + V5HeaderBytes + imageBytes);
    out.push_back('B');
    out.push_back('M');
    Put32(out, FileHeaderBytes + V5HeaderBytes + imageBytes);
    Put32(out, 0);
    Put32(out, FileHeaderBytes + V5HeaderBytes);

    Put32(out, V5HeaderBytes);
    Put32(out, uint32_t(width));
    Put32(out, uint32_t(height));  // positive: rows bottom-up
    Put16(out, 1);                 // planes
    Put16(out, 32);                // bits per pixel
    Put32(out, BI_BITFIELDS);
    Put32(out, imageBytes);
    Put32(out, PixelsPerMetre96Dpi);
    Put32(out, PixelsPerMetre96Dpi);
    Put32(out, 0);  // colours used
    Put32(out, 0);  // colours important
    Put32(out, 0x00FF0000);
    Put32(out, 0x0000FF00);
    Put32(out, 0x000000FF);
    Put32(out, 0xFF000000);
    Put32(out, LCS_sRGB);
    for (int i = 0; i < 9; ++i) Put32(out, 0);  // end points, unused for sRGB
    for (int i = 0; i < 3; ++i) Put32(out, 0);  // gamma, unused for sRGB
    Put32(out, LCS_GM_IMAGES);
    Put32(out, 0);  // profile data
    Put32(out, 0);  // profile size
    Put32(out, 0);  // reserved

    for (int y = height - 1; y >= 0; --y) {
        const uint32_t* row = colour.ScanLine(y);
        for (int x = 0; x < width; ++x) {
            out.push_back(uint8_t(row[x]));
            out.push_back(uint8_t(row[x] >> 8));
            out.push_back(uint8_t(row[x] >> 16));
            out.push_back(ToByte(alpha.At(x, y)));
        }
    }
    return out;
}

std::vector<uint8_t> EncodeJpeg444(const TBitmap& picture, int quality)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);  // a failure prints the library's message and ends the tool
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(picture.Width());
    info.image_height = JDIMENSION(picture.Height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    info.optimize_coding = TRUE;
    for (int c = 0; c < info.num_components; ++c) {
        info.comp_info[c].h_samp_factor = 1;
        info.comp_info[c].v_samp_factor = 1;
    }
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(size_t(picture.Width()) * 3);
    JSAMPROW rows[1] = {row.data()};
    for (int y = 0; y < picture.Height(); ++y) {
        const uint32_t* source = picture.ScanLine(y);
        for (int x = 0; x < picture.Width(); ++x) {
            row[size_t(3 * x)] = JSAMPLE((source[x] >> 16) & 0xFF);
            row[size_t(3 * x + 1)] = JSAMPLE((source[x] >> 8) & 0xFF);
            row[size_t(3 * x + 2)] = JSAMPLE(source[x] & 0xFF);
        }
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    std::vector<uint8_t> out(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return out;
}
