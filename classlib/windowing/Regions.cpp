// Regions as sets of rectangles: rectangles, rounded rectangles, their
// boolean combinations, and window regions.
#include "classlib/windowing/private/PaintCycle.h"
#include "classlib/windowing/private/WindowObject.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace {
using TSpans = std::vector<std::pair<int, int>>;  // [left, right) intervals, sorted, disjoint

struct TRegionTable {
    std::map<HRGN, std::vector<TRect>> Regions;
    HRGN Next = 1;
};

TRegionTable& Table()
{
    static TRegionTable table;
    return table;
}

std::vector<TRect>* Find(HRGN region)
{
    auto& regions = Table().Regions;
    auto it = regions.find(region);
    return it == regions.end() ? nullptr : &it->second;
}

HRGN Add(std::vector<TRect> rects)
{
    TRegionTable& t = Table();
    const HRGN h = t.Next++;
    t.Regions[h] = std::move(rects);
    return h;
}

TSpans SpansAt(const std::vector<TRect>& rects, int y)
{
    TSpans spans;
    for (const TRect& r : rects)
        if (y >= r.Top && y < r.Bottom && r.Left < r.Right) spans.push_back({r.Left, r.Right});
    std::sort(spans.begin(), spans.end());
    TSpans merged;
    for (const auto& s : spans) {
        if (!merged.empty() && s.first <= merged.back().second)
            merged.back().second = std::max(merged.back().second, s.second);
        else
            merged.push_back(s);
    }
    return merged;
}

bool Inside(const TSpans& spans, int x)
{
    for (const auto& s : spans)
        if (x >= s.first && x < s.second) return true;
    return false;
}

TSpans Combine(const TSpans& a, const TSpans& b, int mode)
{
    std::vector<int> xs;
    for (const auto& s : a) xs.insert(xs.end(), {s.first, s.second});
    for (const auto& s : b) xs.insert(xs.end(), {s.first, s.second});
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    TSpans out;
    for (size_t i = 0; i + 1 < xs.size(); ++i) {
        const bool inA = Inside(a, xs[i]), inB = Inside(b, xs[i]);
        bool in = false;
        switch (mode) {
        case RGN_AND: in = inA && inB; break;
        case RGN_OR: in = inA || inB; break;
        case RGN_XOR: in = inA != inB; break;
        case RGN_DIFF: in = inA && !inB; break;
        default: in = inA; break;
        }
        if (!in) continue;
        if (!out.empty() && out.back().second == xs[i])
            out.back().second = xs[i + 1];
        else
            out.push_back({xs[i], xs[i + 1]});
    }
    return out;
}

// Rebuilds a rectangle list band by band, merging bands with equal spans.
std::vector<TRect> Bands(const std::vector<TRect>& a, const std::vector<TRect>& b, int mode)
{
    std::vector<int> ys;
    for (const auto* list : {&a, &b})
        for (const TRect& r : *list) ys.insert(ys.end(), {r.Top, r.Bottom});
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    std::vector<TRect> out;
    std::vector<TRect> open;  // rectangles of the previous band, extendable downwards
    TSpans previous;
    for (size_t i = 0; i + 1 < ys.size(); ++i) {
        const TSpans spans = Combine(SpansAt(a, ys[i]), SpansAt(b, ys[i]), mode);
        if (spans == previous && !open.empty() && open.front().Bottom == ys[i]) {
            for (TRect& r : open) r.Bottom = ys[i + 1];
            continue;
        }
        out.insert(out.end(), open.begin(), open.end());
        open.clear();
        for (const auto& s : spans) open.push_back({s.first, ys[i], s.second, ys[i + 1]});
        previous = spans;
    }
    out.insert(out.end(), open.begin(), open.end());
    return out;
}

int Complexity(const std::vector<TRect>& rects)
{
    if (rects.empty()) return NULLREGION;
    return rects.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}
}  // namespace

HRGN CreateRectRgn(int left, int top, int right, int bottom)
{
    if (right < left) std::swap(left, right);
    if (bottom < top) std::swap(top, bottom);
    std::vector<TRect> rects;
    if (right > left && bottom > top) rects.push_back({left, top, right, bottom});
    return Add(std::move(rects));
}

HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int width, int height)
{
    if (right < left) std::swap(left, right);
    if (bottom < top) std::swap(top, bottom);
    const int w = std::clamp(width, 0, right - left), h = std::clamp(height, 0, bottom - top);
    if (w < 2 || h < 2) return CreateRectRgn(left, top, right, bottom);
    const double rx = w / 2.0, ry = h / 2.0;
    std::vector<TRect> rows;
    for (int y = top; y < bottom; ++y) {
        const double cy = y + 0.5;
        double dy = 0;
        if (cy < top + ry) dy = top + ry - cy;
        if (cy > bottom - ry) dy = cy - (bottom - ry);
        const double t = std::min(1.0, dy / ry);
        const int inset = static_cast<int>(std::lround(rx - rx * std::sqrt(1.0 - t * t)));
        if (left + inset < right - inset) rows.push_back({left + inset, y, right - inset, y + 1});
    }
    return Add(Bands(rows, {}, RGN_OR));
}

int CombineRgn(HRGN dest, HRGN a, HRGN b, int mode)
{
    std::vector<TRect>* d = Find(dest);
    std::vector<TRect>* ra = Find(a);
    if (!d || !ra) return RGN_ERROR;
    if (mode == RGN_COPY) {
        *d = *ra;
        return Complexity(*d);
    }
    std::vector<TRect>* rb = Find(b);
    if (!rb || mode < RGN_AND || mode > RGN_DIFF) return RGN_ERROR;
    *d = Bands(*ra, *rb, mode);
    return Complexity(*d);
}

bool DeleteObject(HRGN region)
{
    return Table().Regions.erase(region) != 0;
}

bool PtInRegion(HRGN region, int x, int y)
{
    const std::vector<TRect>* r = Find(region);
    if (!r) return false;
    return std::any_of(r->begin(), r->end(), [&](const TRect& rect) { return PtInRect(rect, {x, y}); });
}

std::vector<TRect> GetRegionRects(HRGN region)
{
    const std::vector<TRect>* r = Find(region);
    return r ? *r : std::vector<TRect>{};
}

int SetWindowRgn(HWND wnd, HRGN region, bool redraw)
{
    TWindowObject* w = FindWindowObject(wnd);
    if (!w || w->Utility) return 0;
    if (region && !Find(region)) return 0;
    w->HasRegion = region != 0;
    w->Region = region ? *Find(region) : std::vector<TRect>{};
    if (region) DeleteObject(region);  // the window owns it now
    if (w->Native) {
        std::vector<platform::Rect> rects;
        for (const TRect& r : w->Region) rects.push_back({r.Left, r.Top, r.Right, r.Bottom});
        Platform().SetNativeRegion(w->Native, rects.data(), static_cast<int>(rects.size()));
    }
    if (redraw) InvalidateTree(w, true);
    return 1;
}

std::vector<TRect> GetWindowRegionRects(HWND wnd)
{
    TWindowObject* w = FindWindowObject(wnd);
    return w ? w->Region : std::vector<TRect>{};
}
