// Renders sample text for looking at: run with --gtest_also_run_disabled_tests;
// the PNG goes to $VELMORA_TEXT_SAMPLE, else into the build directory.
#include "classlib/graphics/PngImage.h"
#include "TextTestSupport.h"

#include <cstdlib>
#include <iostream>

TEST(TextSample, DISABLED_WritesSamplePicture)
{
    const char* families[] = {"MS Sans Serif", "Tahoma", "Arial", "Tw Cen MT", "Courier New", "Times New Roman"};
    const int heights[] = {-11, -13, 16};
    const TColor schemes[][2] = {{clBlack, clWhite}, {clWhite, clBlack}};
    const std::string sample = "Change the Clock Color  &Close  Visit Tarnwick Software Website 0123456789";

    TextBitmap picture(1240, 2 * 6 * 3 * 20 + 20);
    TCanvas& canvas = picture.Canvas();
    int y = 4;
    for (const auto& scheme : schemes) {
        for (int py = y - 4; py < y + 6 * 3 * 20; ++py)
            for (int px = 0; px < picture.Bitmap().Width(); ++px) picture.Bitmap().ScanLine(py)[px] = RGBToPixel(scheme[1]);
        canvas.Font()->SetColor(scheme[0]);
        for (const char* family : families)
            for (int height : heights) {
                canvas.Font()->SetName(family);
                canvas.Font()->SetHeight(height);
                canvas.Font()->SetStyle(0);
                canvas.TextOut(4, y, std::string(family) + " " + std::to_string(height) + ":");
                TRect r = Rect(190, y, 700, y + 20);
                canvas.DrawText(sample, r, DT_SINGLELINE);
                canvas.Font()->SetStyle(fsBold);
                canvas.TextOut(720, y, "Velmora Screensaver 1.0");
                canvas.Font()->SetStyle(fsItalic | fsUnderline);
                canvas.TextOut(960, y, "Italic underlined gjpqy");
                y += 20;
            }
        y += 4;
    }
    const char* env = std::getenv("VELMORA_TEXT_SAMPLE");
    const std::string path = env ? env : std::string(VELMORA_BINARY_DIR) + "/text-sample.png";
    SavePng(picture.Bitmap().Surface(), path);
    std::cout << "wrote " << path << "\n";

    // The first two rows of each colour scheme (MS Sans Serif -11 and -13) enlarged
    // four times, to judge the pixels.
    const int zoom = 4, cropLeft = 185, cropWidth = 300, cropHeight = 40;
    TBitmap enlarged(cropWidth * zoom, 2 * cropHeight * zoom);
    int outY = 0;
    for (int top : {0, 6 * 3 * 20 + 4})
        for (int y = top; y < top + cropHeight; ++y, ++outY)
            for (int x = 0; x < cropWidth; ++x)
                for (int dy = 0; dy < zoom; ++dy)
                    for (int dx = 0; dx < zoom; ++dx)
                        enlarged.ScanLine(outY * zoom + dy)[x * zoom + dx] = picture.Pixel(x + cropLeft, y);
    SavePng(enlarged.Surface(), path.substr(0, path.size() - 4) + "-zoom.png");
}
