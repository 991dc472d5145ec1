// Painting the clock: an off-screen picture copied to the screen in one block.
#include "dateclock/DcBackground.h"
#include "dateclock/DcClock.h"
#include "dateclock/DcText.h"

namespace {

// Clears a flag when leaving the scope, also by an exception.
class TFlagScope {
public:
    explicit TFlagScope(bool& flag) : FFlag(flag) { FFlag = true; }
    ~TFlagScope() { FFlag = false; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& FFlag;
};

} // namespace

void TDcClock::Paint()
{
    if (!Visible() || FPainting || Loading() || Destroying()) return;
    if (FDigitalOnly && CorrectBounds()) return; // the resize repaints
    if (Width() < 1 || Height() < 1) return;
    TFlagScope painting(FPainting);
    FOffscreen.SetSize(Width(), Height());
    TCanvas* canvas = FOffscreen.Canvas();
    const TRect client(0, 0, Width(), Height());
    if (FDigitalOnly) {
        Bevel()->PaintBevel(canvas, client, Transparent());
        PaintDigital(canvas);
    } else {
        if (FFaceDirty) {
            FFaceDirty = false;
            PaintFace(canvas);
        } else if (FOptions.Contains(coShowAnalog)) {
            canvas->CopyRect(client, FFaceCache.Canvas(), client);
        } else {
            canvas->Brush()->SetColor(Color());
            canvas->FillRect(client);
        }
        if (FOptions.Contains(coShowDigital)) PaintDigital(canvas);
        if (FOptions.Contains(coShowAnalog)) PaintHands(canvas);
    }
    // Without a parent window there is no screen to show the picture on yet.
    if (!HasParentWindow()) return;
    Canvas()->CopyRect(client, canvas, client);
}

void TDcClock::PaintFace(TCanvas* canvas)
{
    const TRect client(0, 0, Width(), Height());
    if (Transparent() && DcBackBitmapCheck(this)) {
        DcBackDrawArea(this, canvas, client);
    } else {
        // The only fill offered is none: the face takes the control's colour.
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(client);
    }
    Bevel()->PaintBevel(canvas, client, Transparent());
    if (FOptions.Contains(coShowAnalog)) PaintAnalog(canvas);
    FFaceCache.SetSize(Width(), Height());
    FFaceCache.Canvas()->CopyRect(client, canvas, client);
}

void TDcClock::PaintDigital(TCanvas* canvas)
{
    const std::string text = GetDigitalText();
    const long long tw = static_cast<long long>(FDigital.GetWidth()) * static_cast<long long>(DcCharacterCount(text));
    int x, y;
    if (FDigitalOnly) {
        x = y = BevelExt();
    } else {
        y = FDigitalPosY != -1 ? BevelExt() + FDigitalPosY : std::min(Width() / 2, Height() / 2);
        x = FDigitalPosX != -1 ? BevelExt() + FDigitalPosX : static_cast<int>(Width() / 2 - tw / 2);
    }
    FDigital.SetColor(2, FFaceColors[4]);
    const int right = static_cast<int>(std::min<long long>(x + tw, INT32_MAX));
    FDigital.PaintLED(canvas, Rect(x, y, right, y + FDigital.GetHeight()), text, Enabled(), true);
}
