// TCustomLabel and TLabel: a text on its parent's surface.
#pragma once

#include "classlib/controls/GraphicControl.h"

#include <string>

enum TTextLayout : uint8_t { tlTop, tlCenter, tlBottom };

// A text on its parent's surface.
class TCustomLabel : public TGraphicControl {
public:
    explicit TCustomLabel(TComponent* AOwner);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool value);
    void SetAutoSize(bool value) override;
    // The control that takes the focus when the caption's accelerator is pressed.
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* value);

protected:
    void Paint() override;
    // Draws (or with DT_CALCRECT measures) the caption in rect.
    virtual void DoDrawText(TRect& Rect, unsigned Flags);
    // The caption as shown.
    virtual std::string GetLabelText();
    // AutoSize: fits the bounds to the text, keeping the edge the alignment names.
    virtual void AdjustBounds();
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    void CMTextChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;
    virtual void CMDialogChar(TMessage& Message);

private:
    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FTransparent = false;
    bool FWordWrap = false;
    bool FShowAccelChar = true;
    TWinControl* FFocusControl = nullptr;
};

class TLabel : public TCustomLabel {
public:
    explicit TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
};
