// A top-level window's buffers and presenting what changed in them.
#include "classlib/windowing/private/Presentation.h"

#include "classlib/windowing/private/WindowMove.h"
#include "classlib/windowing/private/WindowObject.h"

#include <algorithm>
#include <cstring>

const TPixelSurface& SurfaceOf(const TWindowObject* root)
{
    static const TPixelSurface none;
    return root && root->Presentation ? root->Presentation->Surface : none;
}

void ResizeBuffers(TWindowObject* w)
{
    FlushCarry();
    if (!w->Presentation) w->Presentation = std::make_unique<TPresentation>();
    TPresentation& p = *w->Presentation;
    // A top-level window's buffers hold at most kMaxBufferPixels: beyond that it
    // draws (and shows) only the top rows that fit.
    const int width = std::max(0, w->Width());
    int height = std::max(0, w->Height());
    if (width > 0 && int64_t(width) * height > kMaxBufferPixels) height = static_cast<int>(kMaxBufferPixels / width);
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    // Drawing straight into the native window's buffer saves a screen-sized
    // buffer and a copy per present.
    int stride = 0;
    uint32_t* native = w->Native && count ? Platform().BackBuffer(w->Native, width, height, &stride) : nullptr;
    if (native && stride != width) native = nullptr;
    const bool sameBuffer = native ? p.Surface.Bits == native : !p.NativeBuffer;
    if (p.Surface.Width != width || p.Surface.Height != height || !sameBuffer) {
        if (native) {
            p.Back.Clear();  // a new native buffer holds zeros
        } else {
            p.Back.Reset(count);
        }
        p.NativeBuffer = native != nullptr;
        p.Front.Reset(count);
        p.Surface = {native ? native : (p.Back.empty() ? nullptr : p.Back.data()), width, height, width};
        p.FullPresent = true;
        p.Known.Reset(p.Surface.BoundsRect(), 0);
    }
}

void DropBuffers(TWindowObject* w)
{
    w->Presentation.reset();
}

void ForgetNativeBuffer(TWindowObject* w)
{
    if (!w->Presentation || !w->Presentation->NativeBuffer) return;
    TPresentation& p = *w->Presentation;
    p.Surface = {};
    p.NativeBuffer = false;
    p.Known.Forget();
}

void MarkDrawn(TWindowObject* root, const TRect& area)
{
    root->Presentation->Damage.Add(area);
    root->Presentation->Known.Drawn(area);
}

void PresentArea(TWindowObject* root, const TRect& area)
{
    const TPixelSurface& s = root->Presentation->Surface;
    Platform().Present(root->Native, s.Bits, s.Stride, s.Width, s.Height, {area.Left, area.Top, area.Right, area.Bottom});
}

namespace {
// Presents the parts of area whose pixels differ from the last presented ones:
// one rectangle per run of changed rows, spanning their changed columns. Runs
// a few unchanged rows apart are shown as one: every rectangle is a request
// to the display, and a request costs more than a few rows of pixels.
void PresentChanges(TWindowObject* root, const TRect& area)
{
    constexpr int kJoinedGap = 32;
    TPresentation& p = *root->Presentation;
    if (p.Front.empty()) {  // no memory for the copy: nothing to compare with
        PresentArea(root, area);
        return;
    }
    const int stride = p.Surface.Stride;
    TRect run;
    bool inRun = false;
    for (int y = area.Top; y < area.Bottom; ++y) {
        const uint32_t* back = p.Surface.Bits + static_cast<ptrdiff_t>(y) * stride;
        uint32_t* front = p.Front.data() + static_cast<ptrdiff_t>(y) * stride;
        const size_t bytes = sizeof(uint32_t) * static_cast<size_t>(area.Width());
        if (std::memcmp(back + area.Left, front + area.Left, bytes) == 0) continue;
        int left = area.Left, right = area.Right;
        while (back[left] == front[left]) ++left;
        while (back[right - 1] == front[right - 1]) --right;
        std::memcpy(front + left, back + left, sizeof(uint32_t) * static_cast<size_t>(right - left));
        if (inRun && y - run.Bottom > kJoinedGap) {
            PresentArea(root, run);
            inRun = false;
        }
        if (!inRun) {
            run = {left, y, right, y + 1};
            inRun = true;
        } else {
            run = {std::min(run.Left, left), run.Top, std::max(run.Right, right), y + 1};
        }
    }
    if (inRun) PresentArea(root, run);
}
}  // namespace

void PresentOverBlack(TWindowObject* root)
{
    // Fresh zeros cost no copy of a whole screen, and the black part of a
    // saver's screen is then never sent at all.
    TPresentation& p = *root->Presentation;
    p.Front.Reset(p.Front.size());
    p.FullPresent = false;
    p.Carried = {};
    p.FrontStale = {};
    p.Damage.Clear();
    p.Known.MayDiffer(0, p.Damage);
}

void PresentChanged(TWindowObject* root)
{
    TPresentation& p = *root->Presentation;
    const TRect all = p.Surface.BoundsRect();
    if (p.FullPresent) {
        if (!p.Front.empty()) std::memcpy(p.Front.data(), p.Surface.Bits, sizeof(uint32_t) * p.Front.size());
        PresentArea(root, all);
        p.FullPresent = false;
        p.Damage.Clear();
        p.Carried = {};
        p.FrontStale = {};
        return;
    }
    // Where pixels were carried, Front is left behind rather than copied:
    // keeping it would cost as much as the carry itself, every pass.
    const TRect carried = IntersectRect(p.Carried, all);
    p.Carried = {};
    if (!IsRectEmpty(carried)) {
        p.FrontStale = UnionRect(p.FrontStale, carried);
        PresentArea(root, carried);
    }
    for (const TRect& d : p.Damage) {
        const TRect area = IntersectRect(d, all);
        if (IsRectEmpty(area) || RectContains(carried, area)) continue;
        if (IsRectEmpty(IntersectRect(area, p.FrontStale))) {
            PresentChanges(root, area);
        } else {
            p.FrontStale = UnionRect(p.FrontStale, area);
            PresentArea(root, area);
        }
    }
    p.Damage.Clear();
}
