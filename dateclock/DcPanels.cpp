#include "dateclock/DcPanels.h"

#include "classlib/windowing/WindowTree.h"

TDcCustomPanel::TDcCustomPanel(TComponent* AOwner) : TDcCustomControl(AOwner)
{
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csDoubleClicks | csOpaque | csReplicatable);
    SetColor(clBtnFace);
}

TDcCustomBevelPanel::TDcCustomBevelPanel(TComponent* AOwner) : TDcCustomPanel(AOwner)
{
    // The panel's window border draws a bmWindows bevel.
    FBevel.SetBorderDrawn(true);
    FBevel.OnChange = [this](TObject* sender) { GetChange(sender); };
}

void TDcCustomBevelPanel::GetChange(TObject*)
{
    if (ComponentState() & (csLoading | csReading | csDestroying)) return;
    UpdateBackground();
    if (HandleAllocated()) RecreateWnd();
    Realign();
    Invalidate();
}

void TDcCustomBevelPanel::CreateParams(TCreateParams& Params)
{
    TDcCustomPanel::CreateParams(Params);
    if (FBevel.Mode() == bmWindows) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TDcCustomBevelPanel::AdjustClientRect(TRect& Rect)
{
    TDcCustomPanel::AdjustClientRect(Rect);
    Rect = FBevel.ClientRect(Rect);
}

TDcCustomParentPanel::TDcCustomParentPanel(TComponent* AOwner) : TDcCustomBevelPanel(AOwner) {}

TDcCustomParentPanel::~TDcCustomParentPanel() = default;

bool TDcCustomParentPanel::BackBitmapCheck()
{
    if (!Transparent()) return FBackBitmap != nullptr;
    return DcBackBitmapCheck(this);
}

TBitmap* TDcCustomParentPanel::BackBitmap()
{
    if (!Transparent()) return FBackBitmap.get();
    IDcBackgroundProvider* provider = DcBackgroundProviderOf(this);
    return provider ? provider->BackBitmap() : nullptr;
}

TPoint TDcCustomParentPanel::BackMapPoint(TPoint point)
{
    if (!Transparent()) return point;
    IDcBackgroundProvider* provider = DcBackgroundProviderOf(this);
    return provider ? provider->BackMapPoint(Point(point.X + Left(), point.Y + Top())) : point;
}

void TDcCustomParentPanel::BackDrawArea(TCanvas* canvas, const TRect& dest, const TRect& source)
{
    if (!Transparent()) {
        if (FBackBitmap) canvas->CopyRect(dest, FBackBitmap->Canvas(), source);
        return;
    }
    if (IDcBackgroundProvider* provider = DcBackgroundProviderOf(this))
        provider->BackDrawArea(canvas, dest, OffsetRect(source, Left(), Top()));
}

void TDcCustomParentPanel::BackUpdate()
{
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->Invalidate();
}

bool TDcCustomParentPanel::CheckOptimized()
{
    return FBackBitmap != nullptr || BackBitmapCheck();
}

TDcBackPanel::TDcBackPanel(TComponent* AOwner) : TDcCustomParentPanel(AOwner) {}

void TDcBackPanel::Paint()
{
    if (Loading()) return;
    FillControl();
    if (Bevel()->Extent() != 0 || Bevel()->Mode() == bmWindows) Bevel()->PaintBevel(Canvas(), ClientRect(), true);
}

void TDcBackPanel::CMMouseEnter(TMessage& Message)
{
    TDcCustomParentPanel::CMMouseEnter(Message);
    if (OnMouseEnter) OnMouseEnter(this);
}

void TDcBackPanel::CMMouseLeave(TMessage& Message)
{
    TDcCustomParentPanel::CMMouseLeave(Message);
    if (OnMouseExit) OnMouseExit(this);
}
