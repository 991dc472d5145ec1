// Painting the parent's image under a control, for controls that show what
// lies behind them.
#include "classlib/controls/WinControl.h"
#include "classlib/graphics/Bitmap.h"
#include "classlib/windowing/DeviceContext.h"
#include "skin/SkDraw.h"

#include <algorithm>
#include <vector>

namespace {

// Controls whose parent is painting for them right now. The parent's paint
// also paints its non-windowed children; one of them asking again for its own
// background would recurse without end.
std::vector<const TControl*>& ControlsInDoTrans()
{
    static std::vector<const TControl*> controls;
    return controls;
}

class TDoTransScope {
public:
    explicit TDoTransScope(const TControl& control) : FControl(&control) { ControlsInDoTrans().push_back(FControl); }
    ~TDoTransScope()
    {
        auto& list = ControlsInDoTrans();
        list.erase(std::find(list.begin(), list.end(), FControl));
    }
    TDoTransScope(const TDoTransScope&) = delete;
    TDoTransScope& operator=(const TDoTransScope&) = delete;

    static bool Active(const TControl& control)
    {
        const auto& list = ControlsInDoTrans();
        return std::find(list.begin(), list.end(), &control) != list.end();
    }

private:
    const TControl* FControl;
};

}  // namespace

void DoTrans(TCanvas& Canvas, TControl& Control)
{
    TWinControl* parent = Control.Parent();
    if (!parent || !Canvas.HandleAllocated() || TDoTransScope::Active(Control)) return;

    // The parent paints through a context of its own on the canvas's surface,
    // so the canvas's pen, brush, origin and clip stay as they are: its origin
    // is the parent's client corner as seen from the control, its clip the
    // canvas's clip within the parent's client area.
    TDeviceContext dc;
    dc.Surface = Canvas.Surface();
    dc.Origin = {Canvas.Origin().X - Control.Left(), Canvas.Origin().Y - Control.Top()};
    dc.Clip = IntersectRect(Canvas.DeviceClip(), OffsetRect(parent->ClientRect(), dc.Origin.X, dc.Origin.Y));
    if (IsRectEmpty(dc.Clip)) return;

    TDoTransScope scope(Control);
    parent->Perform(WM_ERASEBKGND, DCToWParam(&dc));
    parent->Perform(WM_PAINT, DCToWParam(&dc));
}
