// The fixed pool of device contexts.
#include "classlib/windowing/private/DeviceContextPool.h"

#include "classlib/windowing/DeviceContext.h"
#include "classlib/windowing/private/Presentation.h"
#include "classlib/windowing/private/WindowMove.h"
#include "classlib/windowing/private/WindowObject.h"

#include <array>

namespace {
constexpr size_t kPoolSize = 16;

struct TDeviceContextPool {
    std::array<TDeviceContext, kPoolSize> Contexts{};
    std::array<bool, kPoolSize> InUse{};
};

TDeviceContextPool& Pool()
{
    static TDeviceContextPool pool;
    return pool;
}
}  // namespace

HDC TakeDC(TWindowObject* w, bool wholeWindow)
{
    FlushCarry();
    TWindowObject* root = RootOf(w);
    const TPixelSurface& surface = SurfaceOf(root);
    if (!surface) return nullptr;
    TDeviceContextPool& pool = Pool();
    for (size_t i = 0; i < kPoolSize; ++i) {
        if (pool.InUse[i]) continue;
        TDeviceContext& dc = pool.Contexts[i];
        const TRect area = wholeWindow ? WindowInRoot(w) : ClientInRoot(w);
        TRect clip = area;
        for (TWindowObject* a = w->Parent; a; a = a->Parent) clip = IntersectRect(clip, ClientInRoot(a));
        dc.Surface = surface;
        dc.Origin = area.TopLeft();
        dc.Clip = IntersectRect(clip, surface.BoundsRect());
        dc.Window = w->Handle;
        pool.InUse[i] = true;
        return &dc;
    }
    return nullptr;
}

bool GiveBackDC(HDC dc)
{
    TDeviceContextPool& pool = Pool();
    for (size_t i = 0; i < kPoolSize; ++i) {
        if (&pool.Contexts[i] != dc || !pool.InUse[i]) continue;
        pool.InUse[i] = false;
        pool.Contexts[i] = TDeviceContext{};
        return true;
    }
    return false;
}

void ForgetDeviceContextsOf(HWND wnd)
{
    TDeviceContextPool& pool = Pool();
    for (size_t i = 0; i < kPoolSize; ++i)
        if (pool.InUse[i] && pool.Contexts[i].Window == wnd) pool.Contexts[i] = TDeviceContext{};
}
