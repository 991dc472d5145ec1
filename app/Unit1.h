// TForm1: the screen saver window. A borderless window over the whole
// screen with the pointer hidden, showing a black back panel that carries
// the LED clock and the date line; the panel stays centred or, in moving
// mode, flies one pixel per idle pass and bounces off the screen edges. Any
// key, click, wheel turn, loss of activation or sustained pointer movement
// over the black area closes it, which ends the program.
#pragma once

#include "classlib/forms/Form.h"

#include <cstdint>

class TDcBackPanel;
class TDmLedClock;
class TDcClock;

class TForm1 : public TForm {
public:
    explicit TForm1(TComponent* AOwner);
    ~TForm1() override;

    // The controls of the form description.
    TDcBackPanel* DcBackPanel1 = nullptr;
    TDmLedClock* DmLedClock1 = nullptr;
    TDcClock* DcClock1 = nullptr;

    // Event handlers.
    void FormCreate(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void FormKeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift);
    void FormMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void FormMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void FormMouseWheel(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled);
    // One pass of moving mode: a motion step, pending messages, a 10 ms sleep
    // and the whole window invalidated.
    void AppIdle(TObject* Sender, bool& Done);

    void Dispatch(TMessage& Message) override;

protected:
    void WMActivate(TMessage& Message) override;
    void WMSysCommand(TMessage& Message) override;

private:
    void UpdatePosition();
    void CountMouseMove();

    TCursor SavedCursor = crDefault;
    int32_t MoveCount = 0;
    int32_t StepSize = 1;
    uint8_t MovingRight = 0;
    uint8_t MovingDown = 0;
    int32_t PanelX = 0;
    int32_t PanelY = 0;
    int32_t ScreenWidth = 0;
    int32_t ScreenHeight = 0;
    int32_t LastMouseX = 0;
    int32_t LastMouseY = 0;
    int32_t MotionStyle = 0;
    bool FIdleInstalled = false;  // AppIdle is the application's idle handler
};

extern TForm1* Form1;

// The form description: creates the controls and sets their properties in
// their stored order. Runs inside the form's loading scope.
void BuildForm1(TForm1& form);
