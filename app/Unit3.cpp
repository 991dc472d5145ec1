#include "app/Unit3.h"

#include "app/CommandLine.h"
#include "classlib/system/LoadingScope.h"
#include "classlib/system/SysUtils.h"

TPreview* Preview = nullptr;

TPreview::TPreview(TComponent* AOwner) : TForm(AOwner)
{
    TLoadingScope loading(*this);
    BuildPreview(*this);
}

TPreview::~TPreview()
{
    if (Preview == this) Preview = nullptr;
}

void TPreview::FormCreate(TObject* Sender)
{
    // The id may be given in decimal or in any of the hexadecimal forms
    // ("0x1A2B", "$1A2B"); anything else raises the conversion error.
    ParentHandle = static_cast<HWND>(StrToInt(ParamStr(2)));
    SetParentWindow(ParentHandle);
    WindowProc = [this](TMessage& Message) { PreviewWndProc(Message); };
    GetWindowRect(ParentHandle, ParentRect);
    SetClientWidth(ParentRect.Right - ParentRect.Left);
    SetClientHeight(ParentRect.Bottom - ParentRect.Top);
}

void TPreview::PreviewWndProc(TMessage& Message)
{
    if (Message.Msg == WM_SYSCOMMAND) {
        Close();
        return;
    }
    WndProc(Message);
}
