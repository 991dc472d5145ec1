// TPreview: the small live picture of the saver inside the display settings'
// preview box. It becomes a child of the window given as the second
// argument, takes that window's size and shows a black panel with a small
// LED clock; any system command closes it, which ends the program.
#pragma once

#include "classlib/forms/Form.h"

class TDcBackPanel;
class TDmLedClock;

class TPreview : public TForm {
public:
    explicit TPreview(TComponent* AOwner);
    ~TPreview() override;

    // The controls of the form description.
    TDcBackPanel* DcBackPanel1 = nullptr;
    TDmLedClock* DmLedClock1 = nullptr;
    // The preview box window from the second argument, and its outer rectangle.
    HWND ParentHandle = 0;
    TRect ParentRect{0, 0, 0, 0};

    void FormCreate(TObject* Sender);
    // Replaces the window procedure: any system command closes the preview.
    void PreviewWndProc(TMessage& Message);
};

extern TPreview* Preview;

// The form description, run inside the form's loading scope.
void BuildPreview(TPreview& form);
