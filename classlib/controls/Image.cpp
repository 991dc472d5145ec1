// TImage: a picture on its parent's surface.
#include "classlib/controls/Image.h"

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner)
{
    FControlStyle |= csReplicatable;
    FWidth = 105;
    FHeight = 105;
    FPicture.OnChange = [this](TObject*) { PictureChanged(); };
}

TImage::~TImage()
{
    FPicture.OnChange = nullptr;
}

void TImage::PictureChanged()
{
    if (TGraphic* g = FPicture.Graphic()) {
        if (g->Transparent() != FTransparent) g->SetTransparent(FTransparent);
        if (FAutoSize && g->Width() > 0 && g->Height() > 0) SetBounds(FLeft, FTop, g->Width(), g->Height());
    }
    // A picture that covers the control need not have the parent beneath it.
    TGraphic* g = FPicture.Graphic();
    const bool covers = g && !FTransparent && (FStretch || (g->Width() >= FWidth && g->Height() >= FHeight));
    if (covers)
        FControlStyle |= csOpaque;
    else
        FControlStyle &= ~csOpaque;
    Invalidate();
}

void TImage::SetCenter(bool value)
{
    if (value == FCenter) return;
    FCenter = value;
    PictureChanged();
}

void TImage::SetStretch(bool value)
{
    if (value == FStretch) return;
    FStretch = value;
    PictureChanged();
}

void TImage::SetProportional(bool value)
{
    if (value == FProportional) return;
    FProportional = value;
    PictureChanged();
}

void TImage::SetTransparent(bool value)
{
    if (value == FTransparent) return;
    FTransparent = value;
    PictureChanged();
}

bool TImage::CanAutoSize(int& NewWidth, int& NewHeight)
{
    TGraphic* g = FPicture.Graphic();
    if (!g || g->Empty()) return false;
    if (FAlign != alLeft && FAlign != alRight && FAlign != alClient) NewWidth = g->Width();
    if (FAlign != alTop && FAlign != alBottom && FAlign != alClient) NewHeight = g->Height();
    return true;
}

TRect TImage::DestRect()
{
    TGraphic* g = FPicture.Graphic();
    const int cw = FWidth, ch = FHeight;
    int w = g ? g->Width() : 0, h = g ? g->Height() : 0;
    if (FStretch || (FProportional && (w > cw || h > ch))) {
        if (FProportional && w > 0 && h > 0) {
            const double scale = std::min(static_cast<double>(cw) / w, static_cast<double>(ch) / h);
            w = static_cast<int>(w * scale);
            h = static_cast<int>(h * scale);
        } else {
            w = cw;
            h = ch;
        }
    }
    int x = 0, y = 0;
    if (FCenter) {
        x = (cw - w) / 2;
        y = (ch - h) / 2;
    }
    return {x, y, x + w, y + h};
}

void TImage::Paint()
{
    TGraphic* g = FPicture.Graphic();
    if (!g || g->Empty()) return;
    Canvas()->StretchDraw(DestRect(), g);
}
