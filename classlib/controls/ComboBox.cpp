// TCustomComboBox: a drop-down list whose items may be drawn by the owner;
// the open list is a pop-up window of its own.
#include "classlib/controls/ComboBox.h"

#include "classlib/controls/ControlHooks.h"
#include "classlib/controls/Panel.h"
#include "classlib/windowing/DefWindowProc.h"
#include "classlib/windowing/SystemMetrics.h"
#include "classlib/windowing/WindowPaint.h"
#include "classlib/windowing/WindowTree.h"

#include <algorithm>

namespace {
constexpr int kEdge = 2;          // the sunken edge around the face
constexpr int kButtonWidth = 17;  // the drop-down button at the right
}  // namespace

TCustomComboBox::TCustomComboBox(TComponent* AOwner) : TCustomControl(AOwner)
{
    FControlStyle = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks | csFixedHeight | csReplicatable | csOpaque;
    FWidth = 145;
    FHeight = 21;
    FColor = clWindow;
    FParentColor = false;
    FBrush.SetColor(FColor);
    FTabStop = true;
}

TCustomComboBox::~TCustomComboBox()
{
    if (FListWindow) {
        const HWND list = FListWindow;
        FListWindow = 0;
        DestroyWindow(list);
    }
}

void TCustomComboBox::SetItems(const TStrings* value)
{
    FItems.Assign(value);
    if (FItemIndex >= FItems.Count()) FItemIndex = -1;
    Invalidate();
}

void TCustomComboBox::SetItemIndex(int value)
{
    if (value < -1 || value >= FItems.Count()) return;
    if (value == FItemIndex) return;
    FItemIndex = value;
    SetTextFromItem();
    Invalidate();
    if (FListWindow) InvalidateRect(FListWindow, nullptr, true);
}

void TCustomComboBox::SetTextFromItem()
{
    const std::string text = FItemIndex >= 0 && FItemIndex < FItems.Count() ? FItems.Strings(FItemIndex) : std::string();
    if (text != FText) {
        FText = text;
        Perform(CM_TEXTCHANGED);
    }
}

void TCustomComboBox::SetStyle(TComboBoxStyle value)
{
    if (value == FStyle) return;
    FStyle = value;
    Invalidate();
}

void TCustomComboBox::SetItemHeight(int value)
{
    if (value < 1 || value == FItemHeight) return;
    FItemHeight = value;
    Invalidate();
}

void TCustomComboBox::SetSorted(bool value)
{
    if (value == FSorted) return;
    FSorted = value;
    FItems.SetSorted(value);
}

int TCustomComboBox::ItemHeightOf(int index)
{
    int height = FItemHeight;
    if (FStyle == csOwnerDrawVariable) MeasureItem(index, height);
    return std::max(1, height);
}

void TCustomComboBox::MeasureItem(int Index, int& Height)
{
    if (OnMeasureItem) OnMeasureItem(this, Index, Height);
}

void TCustomComboBox::DrawItem(int Index, TRect Rect, TOwnerDrawState State)
{
    if (OnDrawItem) {
        OnDrawItem(this, Index, Rect, State);
        return;
    }
    TCanvas* c = &FCanvas;
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor((State & odSelected) ? clHighlight : FColor);
    c->FillRect(Rect);
    if (Index < 0 || Index >= FItems.Count()) return;
    c->Font()->Assign(Font());
    if (State & odSelected) c->Font()->SetColor(clHighlightText);
    c->Brush()->SetStyle(bsClear);
    c->TextOut(Rect.Left + 2, Rect.Top + 1, FItems.Strings(Index));
}

TRect TCustomComboBox::ButtonRect()
{
    return {FWidth - kEdge - kButtonWidth, kEdge, FWidth - kEdge, FHeight - kEdge};
}

void TCustomComboBox::Paint()
{
    TCanvas* c = &FCanvas;
    const TRect all = ClientRect();
    TRect r = all;
    Frame3D(c, r, clBtnShadow, clBtnHighlight, 1);
    Frame3D(c, r, cl3DDkShadow, cl3DLight, 1);
    // The face shows the selected item.
    const TRect face{r.Left, r.Top, ButtonRect().Left, r.Bottom};
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(FColor);
    c->FillRect(face);
    const TRect item = InflateRect(face, -1, -1);
    TOwnerDrawState state = odComboBoxEdit;
    if (Focused() && !FListWindow) state |= odSelected | odFocused;
    if (!FEnabled) state |= odDisabled;
    const int index = FItemIndex < FItems.Count() ? FItemIndex : -1;
    if ((FStyle == csOwnerDrawFixed || FStyle == csOwnerDrawVariable) && index >= 0) {
        DrawItem(index, item, state);
    } else {
        c->Brush()->SetColor((state & odSelected) ? clHighlight : FColor);
        c->FillRect(item);
        if (index >= 0) {
            c->Font()->Assign(Font());
            if (state & odSelected) c->Font()->SetColor(clHighlightText);
            c->Brush()->SetStyle(bsClear);
            c->TextOut(item.Left + 1, item.Top + 1, FItems.Strings(index));
        }
    }
    if (state & odFocused) c->DrawFocusRect(item);
    // The drop-down button with its arrow.
    TRect button = ButtonRect();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(button);
    Frame3D(c, button, clBtnHighlight, cl3DDkShadow, 1);
    const int cx = (ButtonRect().Left + ButtonRect().Right) / 2, cy = (ButtonRect().Top + ButtonRect().Bottom) / 2;
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetColor(FEnabled ? clBtnText : clGrayText);
    c->Brush()->SetColor(FEnabled ? clBtnText : clGrayText);
    c->Polygon({{cx - 3, cy - 1}, {cx + 3, cy - 1}, {cx, cy + 2}});
}

// ---- The list ---------------------------------------------------------------

void TCustomComboBox::SetDroppedDown(bool value)
{
    if (value == DroppedDown()) return;
    if (!value) {
        const HWND list = FListWindow;
        FListWindow = 0;
        if (GetCapture() == list) ReleaseCapture();
        DestroyWindow(list);
        CloseUp();
        Invalidate();
        return;
    }
    if (!HandleAllocated() || !Showing()) return;
    DropDown();
    const int count = FItems.Count();
    const int shown = std::min(count, FDropDownCount);
    int height = 2;
    for (int i = 0; i < shown; ++i) height += ItemHeightOf(i);
    const int width = FDropDownWidth > 0 ? FDropDownWidth : FWidth;
    const TPoint origin = ClientToScreen({0, FHeight});
    int y = origin.Y;
    if (y + height > GetSystemMetrics(SM_CYSCREEN) && origin.Y - FHeight - height >= 0) y = origin.Y - FHeight - height;
    TCreateParams params;
    params.Style = WS_POPUP | WS_BORDER | WS_CLIPSIBLINGS;
    params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    params.X = origin.X;
    params.Y = y;
    params.Width = width;
    params.Height = height;
    params.WindowClassStyle = 0;
    FListHot = FItemIndex;
    FListTop = 0;
    if (FListHot >= shown) FListTop = FListHot - shown + 1;
    FListWindow = ::CreateWindowHandle(params, [this](TMessage& m) { ListWndProc(m); });
    ShowWindow(FListWindow, SW_SHOWNA);
    SetCapture(FListWindow);
    Invalidate();
}

TRect TCustomComboBox::ListItemRect(int index)
{
    TRect client;
    if (!FListWindow || !GetClientRect(FListWindow, client)) return {};
    int y = 0;
    for (int i = FListTop; i < index && i < FItems.Count(); ++i) y += ItemHeightOf(i);
    return {0, y, client.Right, y + ItemHeightOf(index)};
}

int TCustomComboBox::ListItemAt(int y)
{
    if (y < 0) return -1;
    int top = 0;
    const int last = std::min(FItems.Count(), FListTop + FDropDownCount);
    for (int i = FListTop; i < last; ++i) {
        const int h = ItemHeightOf(i);
        if (y < top + h) return i;
        top += h;
    }
    return -1;
}

void TCustomComboBox::PaintList(HDC dc)
{
    FCanvas.PaintOn(dc, [this] {
        TRect client;
        GetClientRect(FListWindow, client);
        FCanvas.Brush()->SetStyle(bsSolid);
        FCanvas.Brush()->SetColor(FColor);
        FCanvas.FillRect(client);
        const int last = std::min(FItems.Count(), FListTop + FDropDownCount);
        for (int i = FListTop; i < last; ++i) {
            TOwnerDrawState state = 0;
            if (i == FListHot) state |= odSelected | odFocused;
            if (FStyle == csOwnerDrawFixed || FStyle == csOwnerDrawVariable)
                DrawItem(i, ListItemRect(i), state);
            else
                TCustomComboBox::DrawItem(i, ListItemRect(i), state);
        }
    });
}

void TCustomComboBox::ListWndProc(TMessage& message)
{
    const HWND list = FListWindow;
    try {
        switch (message.Msg) {
        case WM_ERASEBKGND:
            message.Result = 1;
            return;
        case WM_PAINT:
            if (HDC dc = MessageDC(message)) PaintList(dc);
            return;
        case WM_MOUSEMOVE: {
            const int hot = ListItemAt(GET_Y_LPARAM(message.LParam));
            TRect client;
            GetClientRect(list, client);
            if (hot >= 0 && hot != FListHot && PtInRect(client, LParamToPoint(message.LParam))) {
                FListHot = hot;
                InvalidateRect(list, nullptr, false);
            }
            return;
        }
        case WM_LBUTTONDOWN: {
            TRect client;
            GetClientRect(list, client);
            if (!PtInRect(client, LParamToPoint(message.LParam))) SetDroppedDown(false);
            return;
        }
        case WM_LBUTTONUP: {
            TRect client;
            GetClientRect(list, client);
            const TPoint p = LParamToPoint(message.LParam);
            const int index = PtInRect(client, p) ? ListItemAt(p.Y) : -1;
            if (index >= 0) {
                SetDroppedDown(false);
                ItemPicked(index);
            }
            return;
        }
        case WM_MOUSEWHEEL: {
            const int delta = GET_WHEEL_DELTA_WPARAM(message.WParam);
            const int maxTop = std::max(0, FItems.Count() - FDropDownCount);
            FListTop = std::clamp(FListTop + (delta < 0 ? 1 : -1), 0, maxTop);
            InvalidateRect(list, nullptr, false);
            return;
        }
        default:
            DefWindowProc(list, message);
            return;
        }
    } catch (...) {
        HandleEventException(this);
    }
}

void TCustomComboBox::ItemPicked(int index)
{
    SetItemIndex(index);
    SetTextFromItem();
    Click();
    Change();
    Select();
}

void TCustomComboBox::Change()
{
    if (OnChange) OnChange(this);
}

void TCustomComboBox::Select()
{
    if (OnSelect) OnSelect(this);
}

void TCustomComboBox::DropDown()
{
    if (OnDropDown) OnDropDown(this);
}

void TCustomComboBox::CloseUp()
{
    if (OnCloseUp) OnCloseUp(this);
}

// ---- Input ------------------------------------------------------------------

void TCustomComboBox::KeyDown(uint16_t& Key, TShiftState Shift)
{
    TCustomControl::KeyDown(Key, Shift);
    if (Key == 0) return;
    const int count = FItems.Count();
    if ((Key == VK_DOWN && (Shift & ssAlt)) || Key == VK_F4) {
        SetDroppedDown(!DroppedDown());
        Key = 0;
        return;
    }
    if (FListWindow) {
        switch (Key) {
        case VK_ESCAPE: SetDroppedDown(false); break;
        case VK_RETURN:
            if (FListHot >= 0) {
                const int picked = FListHot;
                SetDroppedDown(false);
                ItemPicked(picked);
            } else {
                SetDroppedDown(false);
            }
            break;
        case VK_DOWN:
        case VK_UP:
            if (count > 0) {
                FListHot = std::clamp(FListHot + (Key == VK_DOWN ? 1 : -1), 0, count - 1);
                if (FListHot < FListTop) FListTop = FListHot;
                if (FListHot >= FListTop + FDropDownCount) FListTop = FListHot - FDropDownCount + 1;
                InvalidateRect(FListWindow, nullptr, false);
            }
            break;
        default: return;
        }
        Key = 0;
        return;
    }
    int next = FItemIndex;
    switch (Key) {
    case VK_DOWN:
    case VK_RIGHT: next = std::min(count - 1, FItemIndex + 1); break;
    case VK_UP:
    case VK_LEFT: next = std::max(count > 0 ? 0 : -1, FItemIndex - 1); break;
    case VK_HOME: next = count > 0 ? 0 : -1; break;
    case VK_END: next = count - 1; break;
    default: return;
    }
    Key = 0;
    if (next != FItemIndex && next >= 0) ItemPicked(next);
}

void TCustomComboBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft) {
        if (CanFocus() && !Focused()) SetFocus();
        SetDroppedDown(!DroppedDown());
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomComboBox::WMGetDlgCode(TMessage& Message)
{
    Message.Result = DLGC_WANTARROWS | (FListWindow ? DLGC_WANTALLKEYS : 0);
}

void TCustomComboBox::WMKillFocus(TMessage& Message)
{
    TCustomControl::WMKillFocus(Message);
    if (FListWindow) SetDroppedDown(false);
    Invalidate();
}

void TCustomComboBox::WMSetFocus(TMessage& Message)
{
    TCustomControl::WMSetFocus(Message);
    Invalidate();
}

void TCustomComboBox::DestroyWnd()
{
    if (FListWindow) SetDroppedDown(false);
    TCustomControl::DestroyWnd();
}

void TCustomComboBox::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CB_SHOWDROPDOWN:
        SetDroppedDown(Message.WParam != 0);
        Message.Result = 1;
        return;
    case CB_GETDROPPEDSTATE: Message.Result = DroppedDown() ? 1 : 0; return;
    case CB_SETDROPPEDWIDTH:
        SetDropDownWidth(static_cast<int>(Message.WParam));
        Message.Result = FDropDownWidth;
        return;
    case CB_GETDROPPEDWIDTH: Message.Result = FDropDownWidth > 0 ? FDropDownWidth : FWidth; return;
    default: TCustomControl::Dispatch(Message); return;
    }
}
