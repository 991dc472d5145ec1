// The platform windows that show our top-level windows.
#include "classlib/windowing/private/NativeWindow.h"

#include "classlib/system/OSError.h"
#include "classlib/windowing/private/Presentation.h"
#include "classlib/windowing/private/WindowObject.h"

bool NativelyDecorated(const TWindowObject* w)
{
    return w->IsRoot() && !w->ForeignParent && (w->Style & WS_CAPTION) == WS_CAPTION;
}

void CreateNativeFor(TWindowObject* w)
{
    platform::WindowParams params;
    const bool decorated = NativelyDecorated(w);
    if (w->ForeignParent) {
        params.kind = platform::WindowKind::Child;
        params.parent = w->ForeignParent;
    } else if ((w->Style & WS_POPUP) && (w->ExStyle & WS_EX_TOOLWINDOW) && !decorated) {
        params.kind = platform::WindowKind::PopupList;
    } else if ((w->Style & WS_POPUP) && !decorated) {
        params.kind = platform::WindowKind::Popup;
    } else {
        params.kind = platform::WindowKind::Normal;
    }
    params.bounds = {w->Bounds.Left, w->Bounds.Top, w->Bounds.Right, w->Bounds.Bottom};
    params.caption = w->Text;
    params.decorated = decorated;
    params.topmost = (w->ExStyle & WS_EX_TOPMOST) != 0;
    platform::Error error;
    const platform::WindowId native = Platform().CreateNativeWindow(params, &error);
    if (!native) {
        SetLastError(error.code);
        RaiseOSError(error.code, error.text);
    }
    w->Native = native;
    w->NativeShown = false;
    ResizeBuffers(w);
    if (w->HasRegion) {
        std::vector<platform::Rect> rects;
        for (const TRect& r : w->Region) rects.push_back({r.Left, r.Top, r.Right, r.Bottom});
        Platform().SetNativeRegion(native, rects.data(), static_cast<int>(rects.size()));
    }
}

void DestroyNativeFor(TWindowObject* w)
{
    if (!w->Native) return;
    ForgetNativeBuffer(w);
    Platform().DestroyNativeWindow(w->Native);
    w->Native = 0;
    w->NativeShown = false;
}

void SyncNativeBounds(TWindowObject* w)
{
    if (w->Native)
        Platform().SetNativeBounds(w->Native, {w->Bounds.Left, w->Bounds.Top, w->Bounds.Right, w->Bounds.Bottom});
}
