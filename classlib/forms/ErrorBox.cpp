// The standard message box: drawn by the class library itself, so it looks
// the same on every backend and tests can read it. Error boxes are also
// written as one line to standard error, the log a screensaver's user sees.
#include "classlib/forms/ErrorBox.h"

#include "classlib/controls/Panel.h"
#include "classlib/forms/Application.h"
#include "classlib/graphics/Bitmap.h"
#include "classlib/system/SysUtils.h"

#include <algorithm>
#include <cstdio>

namespace {
constexpr int kMargin = 12;
constexpr int kIconSize = 32;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kMaxTextWidth = 420;

// The box's only button; Return, Escape and Space answer it too.
class TMessageButton final : public TCustomControl {
public:
    explicit TMessageButton(TComponent* AOwner) : TCustomControl(AOwner)
    {
        FControlStyle |= csOpaque;
        SetTabStop(true);
    }

protected:
    void Paint() override
    {
        TCanvas* c = Canvas();
        TRect r = ClientRect();
        c->Brush()->SetColor(clBtnFace);
        c->Brush()->SetStyle(bsSolid);
        c->FillRect(r);
        Frame3D(c, r, clBtnHighlight, cl3DDkShadow, 1);
        c->Brush()->SetStyle(bsClear);
        c->Font()->Assign(Font());
        TRect text = ClientRect();
        c->DrawText(Caption(), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        if (Focused()) c->DrawFocusRect(InflateRect(ClientRect(), -4, -4));
    }
    void Click() override
    {
        TCustomControl::Click();
        if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(mrOk);
    }
};

class TMessageForm final : public TForm {
public:
    TMessageForm(TComponent* AOwner, const std::string& text, const std::string& caption)
        : TForm(AOwner), FMessage(text)
    {
        SetBorderStyle(bsDialog);
        SetPosition(poScreenCenter);
        SetCaption(caption);
        SetColor(clBtnFace);
        SetKeyPreview(true);
        Font()->SetName("Tahoma");
        Font()->SetHeight(-11);
        Font()->SetColor(clWindowText);
        MeasureText();
        const int clientWidth = std::max({kMargin + kIconSize + kMargin + FTextRect.Width() + kMargin,
                                          kButtonWidth + 2 * kMargin, 180});
        const int contentHeight = std::max(kIconSize, FTextRect.Height());
        const int clientHeight = kMargin + contentHeight + kMargin + kButtonHeight + kMargin;
        const TRect client = CalcClientRect(WS_POPUP, WS_EX_DLGMODALFRAME, true, {0, 0, 1000, 1000});
        SetBounds(0, 0, clientWidth + 1000 - client.Width(), clientHeight + 1000 - client.Height());
        FTextTop = kMargin + std::max(0, (kIconSize - FTextRect.Height()) / 2);
        FButton = &Create<TMessageButton>();
        FButton->SetParent(this);
        FButton->SetCaption("OK");
        FButton->SetBounds((clientWidth - kButtonWidth) / 2, clientHeight - kMargin - kButtonHeight, kButtonWidth, kButtonHeight);
        SetActiveControl(nullptr);
    }

protected:
    void Paint() override
    {
        TCanvas* c = Canvas();
        // An error icon: a red disc with a white cross.
        c->Pen()->SetColor(RGB(0x80, 0, 0));
        c->Pen()->SetStyle(psSolid);
        c->Pen()->SetWidth(1);
        c->Brush()->SetColor(RGB(0xE0, 0x20, 0x20));
        c->Brush()->SetStyle(bsSolid);
        c->Ellipse(kMargin, kMargin, kMargin + kIconSize, kMargin + kIconSize);
        c->Pen()->SetColor(clWhite);
        c->Pen()->SetWidth(3);
        c->MoveTo(kMargin + 10, kMargin + 10);
        c->LineTo(kMargin + 22, kMargin + 22);
        c->MoveTo(kMargin + 22, kMargin + 10);
        c->LineTo(kMargin + 10, kMargin + 22);
        c->Pen()->SetWidth(1);
        if (FMessage.empty()) return;
        c->Brush()->SetStyle(bsClear);
        c->Font()->Assign(Font());
        TRect r = OffsetRect(FTextRect, kMargin + kIconSize + kMargin, FTextTop);
        try {
            c->DrawText(FMessage, r, DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
        } catch (const Exception&) {
            // No font to draw with: the box still shows and answers.
        }
    }
    void KeyDown(uint16_t& Key, TShiftState Shift) override
    {
        TForm::KeyDown(Key, Shift);
        if (Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_SPACE) {
            SetModalResult(mrOk);
            Key = 0;
        }
    }
    void DoShow() override
    {
        TForm::DoShow();
        NoteMessageBox(Handle(), Caption(), FMessage);
    }

private:
    void MeasureText()
    {
        FTextRect = {0, 0, 0, 0};
        if (FMessage.empty()) return;
        try {
            TBitmap scratch(1, 1);
            scratch.Canvas()->Font()->Assign(Font());
            TRect r{0, 0, kMaxTextWidth, 0};
            scratch.Canvas()->DrawText(FMessage, r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
            FTextRect = {0, 0, std::min(r.Width(), kMaxTextWidth), r.Height()};
        } catch (const Exception&) {
            FTextRect = {0, 0, std::min<int>(kMaxTextWidth, 7 * static_cast<int>(FMessage.size())), 13};
        }
    }

    std::string FMessage;
    TRect FTextRect;
    int FTextTop = kMargin;
    TMessageButton* FButton = nullptr;
};

std::string OneLine(const std::string& text)
{
    std::string line;
    for (char c : text) {
        if (c == '\r') continue;
        line += c == '\n' ? ' ' : c;
    }
    return line;
}
}  // namespace

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags)
{
    if (flags & MB_ICONSTOP) {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), OneLine(text).c_str());
        std::fflush(stderr);
    }
    if (FShowingException && FModalLevel > 8) return IDOK;  // a box failing to show itself
    const bool outer = FShowingException;
    FShowingException = true;
    int result = IDOK;
    TMessageForm* box = nullptr;
    try {
        box = &Create<TMessageForm>(text, caption);
        box->ShowModal();
    } catch (...) {
        // The message is in the log already; a box that cannot be shown ends here.
    }
    if (box) box->Free();
    FShowingException = outer;
    return result;
}
