// The canvas's surface, origin, clip, saved states and lock.
#include "classlib/graphics/Canvas.h"

struct TCanvas::SavedState {
    int Id;
    TPen Pen;
    TBrush Brush;
    TFont Font;
    TPoint Origin;
    TRect DeviceClip;
    TPoint PenPos;
    TFillMode FillMode;
};

TCanvas::TCanvas()
{
    // A change of pen, brush or font is a change of the canvas.
    auto notify = [this](TObject*) {
        if (OnChange) OnChange(this);
    };
    FPen.OnChange = notify;
    FBrush.OnChange = notify;
    FFont.OnChange = notify;
}

TCanvas::~TCanvas() = default;

void TCanvas::SetSurface(const TPixelSurface& surface)
{
    FSurface = surface;
    FDeviceClip = surface.BoundsRect();
}

void TCanvas::SetOrigin(TPoint origin)
{
    FOrigin = origin;
}

TRect TCanvas::ClipRect() const
{
    return OffsetRect(FDeviceClip, -FOrigin.X, -FOrigin.Y);
}

void TCanvas::SetClipRect(const TRect& rect)
{
    // Widen before offsetting so that far-away coordinates cannot overflow.
    auto shift = [](int v, int by) {
        const long long r = static_cast<long long>(v) + by;
        return static_cast<int>(std::clamp<long long>(r, INT32_MIN, INT32_MAX));
    };
    const TRect device{shift(rect.Left, FOrigin.X), shift(rect.Top, FOrigin.Y), shift(rect.Right, FOrigin.X),
                       shift(rect.Bottom, FOrigin.Y)};
    FDeviceClip = IntersectRect(device, FSurface.BoundsRect());
}

int TCanvas::SaveState()
{
    const int id = FSaved.empty() ? 1 : FSaved.back().Id + 1;
    FSaved.push_back(SavedState{id, {}, {}, {}, FOrigin, FDeviceClip, FPenPos, FFillMode});
    FSaved.back().Pen.Assign(&FPen);
    FSaved.back().Brush.Assign(&FBrush);
    FSaved.back().Font.Assign(&FFont);
    return id;
}

void TCanvas::RestoreState(int id)
{
    while (!FSaved.empty() && FSaved.back().Id > id) FSaved.pop_back();
    if (FSaved.empty() || FSaved.back().Id != id) return;
    SavedState& s = FSaved.back();
    FPen.Assign(&s.Pen);
    FBrush.Assign(&s.Brush);
    FFont.Assign(&s.Font);
    FOrigin = s.Origin;
    FDeviceClip = IntersectRect(s.DeviceClip, FSurface.BoundsRect());
    FPenPos = s.PenPos;
    FFillMode = s.FillMode;
    FSaved.pop_back();
}

void TCanvas::Lock()
{
    FLock.lock();
    ++FLockCount;
}

void TCanvas::Unlock()
{
    --FLockCount;
    FLock.unlock();
}

bool TCanvas::TryLock()
{
    if (!FLock.try_lock()) return false;
    ++FLockCount;
    return true;
}
