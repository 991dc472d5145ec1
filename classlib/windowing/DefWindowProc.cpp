// The default handling of window messages: non-client area, cursor, closing,
// system commands, focus on activation, text and position notifications.
#include "classlib/windowing/DefWindowProc.h"

#include "classlib/graphics/Color.h"
#include "classlib/windowing/DeviceContext.h"
#include "classlib/windowing/MessageQueue.h"
#include "classlib/windowing/private/InputQueue.h"
#include "classlib/windowing/private/WindowFrame.h"
#include "classlib/windowing/private/WindowObject.h"
#include "classlib/windowing/WindowGeometry.h"
#include "classlib/windowing/WindowInput.h"
#include "classlib/windowing/WindowTree.h"

namespace {
// A raised frame in the button colours along the window's edge, filling the
// band between the window and its client area.
void PaintDefaultFrame(TWindowObject* w)
{
    HDC dc = GetWindowDC(w->Handle);
    if (!dc) return;
    const TRect all{0, 0, w->Width(), w->Height()};
    const TRect client = w->Client;
    FillDCRect(dc, {0, 0, all.Right, client.Top}, clBtnFace);
    FillDCRect(dc, {0, client.Bottom, all.Right, all.Bottom}, clBtnFace);
    FillDCRect(dc, {0, client.Top, client.Left, client.Bottom}, clBtnFace);
    FillDCRect(dc, {client.Right, client.Top, all.Right, client.Bottom}, clBtnFace);
    if (client.Left > 0 || client.Top > 0) {
        FillDCRect(dc, {0, 0, all.Right, 1}, clBtnHighlight);
        FillDCRect(dc, {0, 0, 1, all.Bottom}, clBtnHighlight);
        FillDCRect(dc, {0, all.Bottom - 1, all.Right, all.Bottom}, cl3DDkShadow);
        FillDCRect(dc, {all.Right - 1, 0, all.Right, all.Bottom}, cl3DDkShadow);
    }
    ReleaseDC(w->Handle, dc);
}

int HitTest(TWindowObject* w, TPoint screen)
{
    const TPoint o = WindowScreenOrigin(w);
    const TPoint p{screen.X - o.X, screen.Y - o.Y};
    if (!PtInRect({0, 0, w->Width(), w->Height()}, p)) return HTNOWHERE;
    if (PtInRect(w->Client, p)) return HTCLIENT;
    if (!(w->Style & WS_THICKFRAME)) return HTBORDER;
    const bool left = p.X < w->Client.Left, right = p.X >= w->Client.Right;
    const bool top = p.Y < w->Client.Top, bottom = p.Y >= w->Client.Bottom;
    if (top) return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
    if (bottom) return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
    return left ? HTLEFT : HTRIGHT;
}

void StartMove(TWindowObject* w)
{
    TWindowObject* root = RootOf(w);
    if (!root || !root->Native) return;
    const platform::Point p = Platform().PointerPosition();
    Platform().BeginInteractiveMove(root->Native, p);
}
}  // namespace

LRESULT DefWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    TMessage m{msg, wParam, lParam, 0};
    return DefWindowProc(wnd, m);
}

LRESULT DefWindowProc(HWND wnd, TMessage& m)
{
    TWindowObject* w = FindWindowObject(wnd);
    m.Result = 0;
    if (!w) return 0;
    switch (m.Msg) {
    case WM_NCCREATE:
        m.Result = 1;
        break;
    case WM_NCCALCSIZE:
        if (m.WParam) {
            auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(m.LParam);
            params->rgrc[0] = DefaultClientRect(w, params->rgrc[0]);
        } else if (m.LParam) {
            auto* rect = reinterpret_cast<TRect*>(m.LParam);
            *rect = DefaultClientRect(w, *rect);
        }
        break;
    case WM_NCHITTEST:
        m.Result = HitTest(w, LParamToPoint(m.LParam));
        break;
    case WM_NCPAINT:
        if (!w->Utility) PaintDefaultFrame(w);
        break;
    case WM_NCLBUTTONDOWN:
        if (static_cast<int>(m.WParam) == HTCAPTION) StartMove(w);
        break;
    case WM_SETCURSOR: {
        if (w->Parent && SendMessage(w->Parent->Handle, WM_SETCURSOR, m.WParam, m.LParam)) {
            m.Result = 1;
            break;
        }
        const int hit = static_cast<int16_t>(LOWORD(static_cast<uintptr_t>(m.LParam)));
        uintptr_t shape = IDC_ARROW;
        switch (hit) {
        case HTLEFT:
        case HTRIGHT: shape = IDC_SIZEWE; break;
        case HTTOP:
        case HTBOTTOM: shape = IDC_SIZENS; break;
        case HTTOPLEFT:
        case HTBOTTOMRIGHT: shape = IDC_SIZENWSE; break;
        case HTTOPRIGHT:
        case HTBOTTOMLEFT: shape = IDC_SIZENESW; break;
        default: break;
        }
        if (!w->Parent) SetCursor(LoadCursor(0, shape));
        m.Result = w->Parent ? 0 : 1;
        break;
    }
    case WM_MOUSEWHEEL:
        if (w->Parent) m.Result = SendMessage(w->Parent->Handle, m.Msg, m.WParam, m.LParam);
        break;
    case WM_CLOSE:
        DestroyWindow(wnd);
        break;
    case WM_SYSCOMMAND:
        switch (m.WParam & 0xFFF0) {
        case SC_CLOSE: SendMessage(wnd, WM_CLOSE); break;
        case SC_MOVE: StartMove(w); break;
        case SC_MINIMIZE: ShowWindow(RootOf(w)->Handle, SW_MINIMIZE); break;
        case SC_MAXIMIZE: ShowWindow(RootOf(w)->Handle, SW_SHOWMAXIMIZED); break;
        case SC_RESTORE: ShowWindow(RootOf(w)->Handle, SW_RESTORE); break;
        default: break;  // no other screen saver, task list or menu to start
        }
        break;
    case WM_SYSKEYDOWN:
        if (m.WParam == VK_F4) PostMessage(RootOf(w)->Handle, WM_SYSCOMMAND, SC_CLOSE);
        break;
    case WM_ACTIVATE:
        if (LOWORD(m.WParam) != WA_INACTIVE && !(w->Style & WS_MINIMIZE)) SetFocus(wnd);
        break;
    case WM_SETTEXT:
        w->Text = m.LParam ? reinterpret_cast<const char*>(m.LParam) : "";
        if (w->Native) Platform().SetNativeCaption(w->Native, w->Text);
        m.Result = 1;
        break;
    case WM_GETTEXTLENGTH:
        m.Result = static_cast<LRESULT>(w->Text.size());
        break;
    case WM_WINDOWPOSCHANGED: {
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(m.LParam);
        if (!pos) break;
        if (!(pos->flags & SWP_NOMOVE))
            SendMessage(wnd, WM_MOVE, 0, MAKELPARAM(w->Bounds.Left + w->Client.Left, w->Bounds.Top + w->Client.Top));
        if ((w = FindWindowObject(wnd)) != nullptr && !(pos->flags & SWP_NOSIZE)) {
            const WPARAM kind = (w->Style & WS_MAXIMIZE) ? SIZE_MAXIMIZED : (w->Style & WS_MINIMIZE) ? SIZE_MINIMIZED : SIZE_RESTORED;
            SendMessage(wnd, WM_SIZE, kind, MAKELPARAM(w->Client.Width(), w->Client.Height()));
        }
        break;
    }
    case WM_CANCELMODE:
        if (InputState().Capture == wnd) ReleaseCapture();
        break;
    case WM_ERASEBKGND:
    case WM_GETDLGCODE:
    default:
        break;
    }
    return m.Result;
}
