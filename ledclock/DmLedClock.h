// TDmLedClock: a clock drawn entirely from round LED dots. Twelve hour marks
// on a circle, an arc of one dot per elapsed second of the minute, and HH:MM
// in a slanted dot-matrix font. It owns a TDmTimer that ticks once a second;
// on every tick it re-reads the wall clock, repaints when the picture changed
// and raises its change events and, when armed, the alarm.
#pragma once

#include "classlib/graphics/Bitmap.h"
#include "classlib/system/DateUtils.h"
#include "ledclock/DmControls.h"
#include "ledclock/DmThreads.h"
#include "ledclock/LedClockLook.h"
#include "ledclock/LedFaceCache.h"

#include <cstdint>
#include <functional>
#include <string>

using TDmHoursChangeEvent = std::function<void(TObject* Sender, uint16_t Hours)>;
using TDmMinutesChangeEvent = std::function<void(TObject* Sender, uint16_t Minutes)>;
using TDmSecondsChangeEvent = std::function<void(TObject* Sender, uint16_t Seconds)>;

class TDmLedClock : public TDmGraphicImageControl {
public:
    explicit TDmLedClock(TComponent* AOwner);
    ~TDmLedClock() override;
    void BeforeDestruction() override;

    // ---- Behaviour ------------------------------------------------------------
    // True while the tick source is a worker thread (false: the window-message timer).
    bool GetThreaded() const;
    void SetThreaded(bool value);
    bool Threaded() const { return GetThreaded(); }
    bool Active() const { return FActive; }
    // Starts or stops the ticks; the picture stays at the last time shown.
    void SetActive(bool value);
    bool EnableAlarm() const { return FEnableAlarm; }
    void SetEnableAlarm(bool value) { FEnableAlarm = value; }
    // The alarm's date and time; 0 (30 December 1899) never fires.
    TDateTime AlarmTime() const { return FAlarmTime; }
    void SetAlarmTime(TDateTime value) { FAlarmTime = value; }

    // ---- Picture ----------------------------------------------------------------
    bool SecondsIndicator() const { return FLook.SecondsIndicator; }
    void SetSecondsIndicator(bool value);
    bool HourMarks() const { return FLook.HourMarks; }
    void SetHourMarks(bool value);
    // Owned by the clock; a picture given is copied. Drawn stretched beneath
    // the dots with pixels of Color keyed out.
    TBitmap* Background() { return &FBackground; }
    void SetBackground(const TBitmap* value);
    TColor HoursColor() const { return FLook.HoursColor; }
    void SetHoursColor(TColor value);
    TColor HoursOutline() const { return FLook.HoursOutline; }
    void SetHoursOutline(TColor value);
    TColor SecHandColor() const { return FLook.SecHandColor; }
    void SetSecHandColor(TColor value);
    TColor SecOutline() const { return FLook.SecOutline; }
    void SetSecOutline(TColor value);
    TColor TickColor() const { return FLook.TickColor; }
    void SetTickColor(TColor value);
    TColor TickOutline() const { return FLook.TickOutline; }
    void SetTickOutline(TColor value);
    int SecWidth() const { return FLook.SecWidth; }
    void SetSecWidth(int value);
    int TickWidth() const { return FLook.TickWidth; }
    // A value of 0 or less is ignored.
    void SetTickWidth(int value);
    int LedSize() const { return FLook.LedSize; }
    void SetLedSize(int value);
    int Spacing() const { return FLook.Spacing; }
    void SetSpacing(int value);
    int TextOffsetX() const { return FLook.TextOffsetX; }
    void SetTextOffsetX(int value);
    int TextOffsetY() const { return FLook.TextOffsetY; }
    void SetTextOffsetY(int value);
    int TextAngle() const { return FLook.TextAngle; }
    void SetTextAngle(int value);

    // ---- Time -------------------------------------------------------------------
    TDmHoursInt Hours() const { return FLook.Hours; }
    // 0..23; anything else raises EInvalidOperation.
    void SetHours(int value);
    TDmMinutesInt Minutes() const { return FLook.Minutes; }
    // 0..59; anything else raises EInvalidOperation.
    void SetMinutes(int value);
    TDmSecondsInt Seconds() const { return FLook.Seconds; }
    // 0..59; anything else raises EInvalidOperation.
    void SetSeconds(int value);
    TDmHourFormat HourFormat() const { return FLook.HourFormat; }
    void SetHourFormat(TDmHourFormat value);
    // Shows the time of day of value (milliseconds dropped); a running clock
    // overwrites it at its next tick.
    void SetTime(TDateTime value);

    TNotifyEvent OnAlarm;
    TDmHoursChangeEvent OnHoursChanged;
    TDmMinutesChangeEvent OnMinutesChanged;
    TDmSecondsChangeEvent OnSecondsChanged;

    // The tick handler: reads the wall clock, repaints when the seconds (with
    // the indicator) or the minutes changed, then raises the change events and
    // the alarm. Sender is not used.
    void OnTimerEvent(TObject* Sender);
    void Loaded() override;

    // Draws the time text, and one character of it, into the off-screen bitmap.
    void DrawLeds();
    void PaintLed(int X, int Y, char ch);

    TDmTimer* TickTimer() const { return FTickTimer; }

protected:
    virtual void HoursChanged();
    virtual void MinutesChanged();
    virtual void SecondsChanged();
    void DoAlarm();
    void Paint() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    template <typename T>
    void SetLookValue(T& field, T value);
    bool AlarmDue(TDateTime now) const;
    TDmLedClockLook Look() const;

    TDmLedClockLook FLook;
    TLedFaceCache FFaceCache;
    bool FActive = false;
    bool FEnableAlarm = false;
    TDateTime FAlarmTime = 0;
    TDateTime FTime = 0;
    TBitmap FBackground;
    TDmTimer* FTickTimer = nullptr;
};
