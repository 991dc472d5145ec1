// Invalidation, the paint cycle, device contexts and presenting changed pixels.
#include "classlib/raster/DrawCount.h"
#include "classlib/raster/RasterInk.h"
#include "classlib/windowing/WindowObject.h"

#include <algorithm>
#include <cstring>

// ---- Device contexts --------------------------------------------------------

void AttachCanvas(TCanvas& canvas, HDC dc)
{
    if (!dc) {
        canvas.SetSurface(TPixelSurface{});
        canvas.SetOrigin({0, 0});
        return;
    }
    canvas.SetSurface(dc->Surface);
    canvas.SetOrigin(dc->Origin);
    canvas.SetClipRect(OffsetRect(dc->Clip, -dc->Origin.X, -dc->Origin.Y));
}

TDeviceContext OffsetDeviceContext(const TDeviceContext& dc, int dx, int dy, int width, int height)
{
    TDeviceContext moved = dc;
    moved.Origin = {dc.Origin.X + dx, dc.Origin.Y + dy};
    moved.Clip = IntersectRect(dc.Clip, {moved.Origin.X, moved.Origin.Y, moved.Origin.X + width, moved.Origin.Y + height});
    return moved;
}

namespace {
void FillDevice(const TPixelSurface& surface, const TRect& r, uint32_t pixel)
{
    for (int y = r.Top; y < r.Bottom; ++y) Raster::FillPixels(surface.Row(y) + r.Left, r.Width(), pixel);
}

// The top-level window whose buffer dc draws on, or nullptr.
TWindowObject* BufferOwner(HDC dc)
{
    TWindowObject* root = RootOf(FindWindowObject(dc->Window));
    return root && root->Surface.Bits == dc->Surface.Bits ? root : nullptr;
}
}  // namespace

void MarkDrawn(TWindowObject* root, const TRect& area)
{
    root->Damage.Add(area);
    root->Known.Drawn(area);
}

void FillDCRect(HDC dc, const TRect& rect, TColor color)
{
    if (!dc || !dc->Surface) return;
    const uint32_t pixel = color == clNone ? 0u : ColorToPixel(color);
    const TRect device = IntersectRect(OffsetRect(rect, dc->Origin.X, dc->Origin.Y),
                                       IntersectRect(dc->Clip, dc->Surface.BoundsRect()));
    if (IsRectEmpty(device)) return;
    TWindowObject* root = BufferOwner(dc);
    if (!root) {
        FillDevice(dc->Surface, device, pixel);
        return;
    }
    // A window erased every pass is mostly filled already: only what is not
    // known to hold the colour is filled (and presented) again.
    TRectList todo;
    root->Known.Fill(device, pixel, todo);
    for (const TRect& r : todo) {
        FillDevice(dc->Surface, r, pixel);
        root->Damage.Add(r);
    }
}

namespace {
HDC TakeDC(TWindowObject* w, bool wholeWindow)
{
    FlushCarry();
    TWindowingState& state = Windowing();
    TWindowObject* root = RootOf(w);
    if (!root || !root->Surface) return nullptr;
    for (size_t i = 0; i < state.DCs.size(); ++i) {
        if (state.DCInUse[i]) continue;
        TDeviceContext& dc = state.DCs[i];
        const TRect area = wholeWindow ? WindowInRoot(w) : ClientInRoot(w);
        TRect clip = area;
        for (TWindowObject* a = w->Parent; a; a = a->Parent) clip = IntersectRect(clip, ClientInRoot(a));
        dc.Surface = root->Surface;
        dc.Origin = area.TopLeft();
        dc.Clip = IntersectRect(clip, root->Surface.BoundsRect());
        dc.Window = w->Handle;
        state.DCInUse[i] = true;
        return &dc;
    }
    return nullptr;
}
}  // namespace

HDC GetDC(HWND wnd)
{
    TWindowObject* w = FindWindowObject(wnd);
    return w && !w->Utility ? TakeDC(w, false) : nullptr;
}

HDC GetWindowDC(HWND wnd)
{
    TWindowObject* w = FindWindowObject(wnd);
    return w && !w->Utility ? TakeDC(w, true) : nullptr;
}

int ReleaseDC(HWND wnd, HDC dc)
{
    TWindowingState& state = Windowing();
    for (size_t i = 0; i < state.DCs.size(); ++i) {
        if (&state.DCs[i] != dc || !state.DCInUse[i]) continue;
        state.DCInUse[i] = false;
        TWindowObject* root = RootOf(FindWindowObject(dc->Window ? dc->Window : wnd));
        if (root && dc->Surface.Bits == root->Surface.Bits) {
            MarkDrawn(root, dc->Clip);
            PresentWindow(root->Handle);
        }
        state.DCs[i] = TDeviceContext{};
        return 1;
    }
    return 0;
}

// ---- Invalidation -----------------------------------------------------------

bool InvalidateRect(HWND wnd, const TRect* rect, bool erase)
{
    TWindowObject* w = FindWindowObject(wnd);
    if (!w || w->Utility || w->Destroying) return false;
    const TRect client{0, 0, w->Client.Width(), w->Client.Height()};
    const TRect r = rect ? IntersectRect(*rect, client) : client;
    if (IsRectEmpty(r)) return true;
    w->Update.Add(r);
    w->Erase = w->Erase || erase;
    return true;
}

void InvalidateTree(TWindowObject* w, bool erase)
{
    if (w->Utility) return;
    InvalidateRect(w->Handle, nullptr, erase);
    if (w->Client != TRect{0, 0, w->Width(), w->Height()}) w->FrameInvalid = true;
    for (TWindowObject* c : w->Children) InvalidateTree(c, erase);
}

bool ValidateRect(HWND wnd, const TRect* rect)
{
    TWindowObject* w = FindWindowObject(wnd);
    if (!w) return false;
    if (!rect) {
        w->Update.Clear();
        w->Erase = false;
        return true;
    }
    if (!w->Update.Subtract(*rect)) return true;
    if (w->Update.Empty()) w->Erase = false;
    return true;
}

bool GetUpdateRect(HWND wnd, TRect& rect, bool)
{
    TWindowObject* w = FindWindowObject(wnd);
    if (!w || w->Update.Empty()) {
        rect = {};
        return false;
    }
    rect = w->Update.Bounds();
    return true;
}

bool RedrawWindow(HWND wnd, const TRect* rect, HRGN, UINT flags)
{
    TWindowObject* w = FindWindowObject(wnd);
    if (!w) return false;
    if (flags & RDW_INVALIDATE) {
        if (flags & RDW_ALLCHILDREN)
            InvalidateTree(w, (flags & RDW_ERASE) != 0);
        else
            InvalidateRect(wnd, rect, (flags & RDW_ERASE) != 0);
        if (flags & RDW_FRAME) w->FrameInvalid = true;
    }
    if (flags & RDW_UPDATENOW) UpdateWindow(wnd);
    return true;
}

// ---- Visible pieces ---------------------------------------------------------

void VisiblePieces(TWindowObject* w, const TRect& rect, bool clientOnly, TRectList& pieces)
{
    pieces.Clear();
    TRect area = IntersectRect(rect, clientOnly ? ClientInRoot(w) : WindowInRoot(w));
    for (TWindowObject* a = w->Parent; a; a = a->Parent) area = IntersectRect(area, ClientInRoot(a));
    TWindowObject* root = RootOf(w);
    if (root && root->Surface) area = IntersectRect(area, root->Surface.BoundsRect());
    pieces.Add(area);
    if (pieces.Empty()) return;
    // A cut that does not fit leaves that part to be painted over; the window
    // covering it is then repainted after us.
    auto cut = [&](TWindowObject* c) {
        if (!c->Visible() || c->Utility) return;
        const TRect r = WindowInRoot(c);
        if (!pieces.Intersects(r)) return;
        if (!pieces.Subtract(r)) InvalidateTree(c, true);
    };
    for (TWindowObject* c : w->Children) cut(c);
    for (TWindowObject* x = w; x->Parent; x = x->Parent) {
        const auto& siblings = x->Parent->Children;
        auto it = std::find(siblings.begin(), siblings.end(), x);
        for (++it; it != siblings.end(); ++it) cut(*it);
    }
}

// ---- Painting ---------------------------------------------------------------

TWindowObject* FirstInvalid(TWindowObject* w)
{
    if (!w->Visible() || w->Utility) return nullptr;
    if (!w->Update.Empty() || w->FrameInvalid) return w;
    for (TWindowObject* c : w->Children)
        if (TWindowObject* found = FirstInvalid(c)) return found;
    return nullptr;
}

void PaintWindowObject(TWindowObject* w)
{
    FlushCarry();
    const HWND handle = w->Handle;
    TWindowObject* root = RootOf(w);
    if (!root || !root->Surface || !IsShowing(w)) {
        // Nothing to paint on: the window is painted when it is shown.
        return;
    }
    TRectList region = w->Update;
    const bool erase = w->Erase;
    const bool frame = w->FrameInvalid;
    w->Update.Clear();
    w->Erase = false;
    w->FrameInvalid = false;

    if (frame && w->Client != TRect{0, 0, w->Width(), w->Height()}) {
        SendMessage(handle, WM_NCPAINT, 1);
        if ((w = FindWindowObject(handle)) == nullptr) return;
    }
    const TRect client = ClientInRoot(w);
    const HWND rootHandle = root->Handle;
    TRectList pieces;
    for (const TRect& r : region) {
        VisiblePieces(w, OffsetRect(r, client.Left, client.Top), true, pieces);
        for (const TRect& piece : pieces) {
            TDeviceContext dc{root->Surface, client.TopLeft(), piece, handle};
            // Erase fills record what they change themselves; anything else a
            // handler draws counts for the whole piece.
            const uint64_t drawsBefore = Raster::tDrawOperations;
            if (erase) {
                SendMessage(handle, WM_ERASEBKGND, DCToWParam(&dc));
                if (!FindWindowObject(handle)) return;
            }
            SendMessage(handle, WM_PAINT, DCToWParam(&dc));
            if (!FindWindowObject(handle) || (root = FindWindowObject(rootHandle)) == nullptr) return;
            if (Raster::tDrawOperations != drawsBefore) MarkDrawn(root, piece);
        }
    }
}

bool UpdateWindow(HWND wnd)
{
    FlushCarry();
    TWindowObject* w = FindWindowObject(wnd);
    if (!w || w->Utility) return false;
    TWindowObject* root = RootOf(w);
    const HWND rootHandle = root->Handle;
    // Paint the window and its descendants, parents first; painting may invalidate more.
    for (int guard = 0; guard < 64; ++guard) {
        w = FindWindowObject(wnd);
        if (!w) break;
        TWindowObject* next = FirstInvalid(w);
        if (!next || !IsShowing(next)) break;
        PaintWindowObject(next);
    }
    PresentWindow(rootHandle);
    return true;
}

// ---- Presenting -------------------------------------------------------------

namespace {
void PresentArea(TWindowObject* root, const TRect& area)
{
    Platform().Present(root->Native, root->Surface.Bits, root->Surface.Stride, root->Surface.Width,
                       root->Surface.Height, {area.Left, area.Top, area.Right, area.Bottom});
}

// Presents the parts of area whose pixels differ from the last presented ones:
// one rectangle per run of changed rows, spanning their changed columns. Runs
// a few unchanged rows apart are shown as one: every rectangle is a request
// to the display, and a request costs more than a few rows of pixels.
void PresentChanges(TWindowObject* root, const TRect& area)
{
    constexpr int kJoinedGap = 32;
    if (root->Front.empty()) {  // no memory for the copy: nothing to compare with
        PresentArea(root, area);
        return;
    }
    const int stride = root->Surface.Stride;
    TRect run;
    bool inRun = false;
    for (int y = area.Top; y < area.Bottom; ++y) {
        const uint32_t* back = root->Surface.Bits + static_cast<ptrdiff_t>(y) * stride;
        uint32_t* front = root->Front.data() + static_cast<ptrdiff_t>(y) * stride;
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
    root->Front.Reset(root->Front.size());
    root->FullPresent = false;
    root->Carried = {};
    root->FrontStale = {};
    root->Damage.Clear();
    root->Known.MayDiffer(0, root->Damage);
}

void PresentWindow(HWND wnd)
{
    FlushCarry();
    TWindowObject* root = RootOf(FindWindowObject(wnd));
    if (!root || !root->Native || !root->Surface) return;
    if (!root->NativeShown) return;  // keeps its damage until shown
    const TRect all = root->Surface.BoundsRect();
    if (root->FullPresent) {
        if (!root->Front.empty())
            std::memcpy(root->Front.data(), root->Surface.Bits, sizeof(uint32_t) * root->Front.size());
        PresentArea(root, all);
        root->FullPresent = false;
        root->Damage.Clear();
        root->Carried = {};
        root->FrontStale = {};
        return;
    }
    // Where pixels were carried, Front is left behind rather than copied:
    // keeping it would cost as much as the carry itself, every pass.
    const TRect carried = IntersectRect(root->Carried, all);
    root->Carried = {};
    if (!IsRectEmpty(carried)) {
        root->FrontStale = UnionRect(root->FrontStale, carried);
        PresentArea(root, carried);
    }
    for (const TRect& d : root->Damage) {
        const TRect area = IntersectRect(d, all);
        if (IsRectEmpty(area) || RectContains(carried, area)) continue;
        if (IsRectEmpty(IntersectRect(area, root->FrontStale))) {
            PresentChanges(root, area);
        } else {
            root->FrontStale = UnionRect(root->FrontStale, area);
            PresentArea(root, area);
        }
    }
    root->Damage.Clear();
}

void PaintClientNow(HWND wnd, const TRect& rect, const std::function<void(HDC)>& paint)
{
    FlushCarry();
    TWindowObject* w = FindWindowObject(wnd);
    if (!w || w->Utility || !IsShowing(w)) return;
    TWindowObject* root = RootOf(w);
    if (!root->Surface) return;
    const HWND rootHandle = root->Handle;
    const TRect client = ClientInRoot(w);
    TRectList pieces;
    VisiblePieces(w, OffsetRect(rect, client.Left, client.Top), true, pieces);
    for (const TRect& piece : pieces) {
        TDeviceContext dc{root->Surface, client.TopLeft(), piece, wnd};
        paint(&dc);
        if ((root = FindWindowObject(rootHandle)) == nullptr) return;
        MarkDrawn(root, piece);
    }
    PresentWindow(rootHandle);
}
