// TWinControl: focus, tab order, keyboard events, dialog keys and accelerators.
#include "classlib/controls/Control.h"
#include "classlib/controls/HostForm.h"
#include "classlib/controls/WinControl.h"
#include "classlib/system/Exceptions.h"
#include "classlib/system/SysUtils.h"
#include "classlib/windowing/WindowTree.h"

#include <algorithm>

void TWinControl::SetTabStop(bool value)
{
    if (value == FTabStop) return;
    FTabStop = value;
    if (FHandle) {
        const int32_t style = GetWindowLong(FHandle, GWL_STYLE);
        SetWindowLong(FHandle, GWL_STYLE, value ? (style | static_cast<int32_t>(WS_TABSTOP)) : (style & ~static_cast<int32_t>(WS_TABSTOP)));
    }
    Perform(CM_TABSTOPCHANGED);
}

int TWinControl::TabOrder() const
{
    if (!FParent) return -1;
    const auto& list = FParent->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int value)
{
    if (!FParent) return;
    auto& list = FParent->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) return;
    list.erase(it);
    const int count = static_cast<int>(list.size());
    const int at = value < 0 || value > count ? count : value;
    list.insert(list.begin() + at, this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list)
{
    for (TWinControl* c : FTabList) {
        list.push_back(c);
        c->GetTabOrderList(list);
    }
}

bool TWinControl::CanFocus()
{
    THostForm* form = HostForm();
    if (!form) return false;
    for (TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return true;
}

bool TWinControl::Focused()
{
    return FHandle && GetFocus() == FHandle;
}

void TWinControl::SetFocus()
{
    if (THostForm* form = HostForm(); form && form->FormControl() != this) {
        form->FocusControl(this);
    } else if (FParentWindow || !FParent) {
        ::SetFocus(Handle());
    } else {
        throw EInvalidOperation(Format("Control '%s' has no parent window", Name()));
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop, bool checkParent)
{
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return nullptr;
    const int count = static_cast<int>(list.size());
    int start = -1;
    for (int i = 0; i < count; ++i)
        if (list[static_cast<size_t>(i)] == current) start = i;
    if (start < 0) start = goForward ? count - 1 : 0;
    int i = start;
    for (int n = 0; n < count; ++n) {
        i = goForward ? (i + 1) % count : (i - 1 + count) % count;
        TWinControl* c = list[static_cast<size_t>(i)];
        if (c == current) break;
        if (!c->CanFocus()) continue;
        if (checkTabStop && !c->TabStop()) continue;
        if (checkParent && c->Parent() != this) continue;
        return c;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop)
{
    if (TWinControl* next = FindNextControl(current, goForward, checkTabStop, !checkTabStop)) next->SetFocus();
}

// ---- Keyboard events --------------------------------------------------------

void TWinControl::KeyDown(uint16_t& Key, TShiftState Shift)
{
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(uint16_t& Key, TShiftState Shift)
{
    if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(char& Key)
{
    if (OnKeyPress) OnKeyPress(this, Key);
}

bool TWinControl::DoKeyDown(TMessage& Message)
{
    THostForm* form = HostForm();
    if (form && form->FormControl() != this && form->KeyPreview() && form->FormControl()->DoKeyDown(Message)) return true;
    uint16_t key = static_cast<uint16_t>(Message.WParam);
    if (!(FControlStyle & csNoStdEvents)) {
        KeyDown(key, KeyDataToShiftState(Message.LParam));
        Message.WParam = key;
        if (key == 0) return true;
    }
    return false;
}

bool TWinControl::DoKeyUp(TMessage& Message)
{
    THostForm* form = HostForm();
    if (form && form->FormControl() != this && form->KeyPreview() && form->FormControl()->DoKeyUp(Message)) return true;
    uint16_t key = static_cast<uint16_t>(Message.WParam);
    if (!(FControlStyle & csNoStdEvents)) {
        KeyUp(key, KeyDataToShiftState(Message.LParam));
        Message.WParam = key;
        if (key == 0) return true;
    }
    return false;
}

bool TWinControl::DoKeyPress(TMessage& Message)
{
    THostForm* form = HostForm();
    if (form && form->FormControl() != this && form->KeyPreview() && form->FormControl()->DoKeyPress(Message)) return true;
    if (Message.WParam > 0xFF) return false;  // beyond the single-byte range a char carries
    char key = static_cast<char>(Message.WParam);
    if (!(FControlStyle & csNoStdEvents)) {
        KeyPress(key);
        Message.WParam = static_cast<unsigned char>(key);
        if (key == 0) return true;
    }
    return false;
}

void TWinControl::WMKeyDown(TMessage& Message)
{
    if (!DoKeyDown(Message)) DefaultHandler(Message);
}

void TWinControl::WMSysKeyDown(TMessage& Message)
{
    if (!DoKeyDown(Message)) DefaultHandler(Message);
}

void TWinControl::WMKeyUp(TMessage& Message)
{
    if (!DoKeyUp(Message)) DefaultHandler(Message);
}

void TWinControl::WMSysKeyUp(TMessage& Message)
{
    if (!DoKeyUp(Message)) DefaultHandler(Message);
}

void TWinControl::WMChar(TMessage& Message)
{
    if (!DoKeyPress(Message)) DefaultHandler(Message);
}

// Before a key reaches its control: Tab, arrows, Return and Escape are dialog
// keys for the form unless the control wants them.
void TWinControl::CNKeyDown(TMessage& Message)
{
    Message.Result = 1;
    if (Perform(CM_CHILDKEY, Message.WParam, reinterpret_cast<LPARAM>(this)) != 0) return;
    LRESULT mask = 0;
    switch (Message.WParam) {
    case VK_TAB: mask = DLGC_WANTTAB; break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: mask = DLGC_WANTARROWS; break;
    case VK_RETURN:
    case VK_EXECUTE:
    case VK_ESCAPE:
    case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
    default: break;
    }
    if (mask && Perform(CM_WANTSPECIALKEY, Message.WParam) == 0 && (Perform(WM_GETDLGCODE) & mask) == 0) {
        THostForm* form = HostForm();
        if (form && form->FormControl()->Perform(CM_DIALOGKEY, Message.WParam, Message.LParam) != 0) return;
    }
    Message.Result = 0;
}

void TWinControl::CNKeyUp(TMessage& Message)
{
    Message.Result = 0;
}

void TWinControl::CNChar(TMessage& Message)
{
    Message.Result = 1;
    if ((Perform(WM_GETDLGCODE) & DLGC_WANTCHARS) == 0) {
        THostForm* form = HostForm();
        if (form && form->FormControl()->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam) != 0) return;
    }
    Message.Result = 0;
}

void TWinControl::CNSysChar(TMessage& Message)
{
    THostForm* form = HostForm();
    Message.Result = form && form->FormControl()->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam) != 0 ? 1 : 0;
}

void TWinControl::CMDialogKey(TMessage& Message)
{
    Broadcast(Message);
}

void TWinControl::CMDialogChar(TMessage& Message)
{
    Broadcast(Message);
}

// ---- Focus notifications ----------------------------------------------------

void TWinControl::DoEnter()
{
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit()
{
    if (OnExit) OnExit(this);
}

void TWinControl::CMEnter(TMessage&)
{
    DoEnter();
}

void TWinControl::CMExit(TMessage&)
{
    DoExit();
}

void TWinControl::WMSetFocus(TMessage& Message)
{
    DefaultHandler(Message);
}

void TWinControl::WMKillFocus(TMessage& Message)
{
    DefaultHandler(Message);
}
