// TDcClock: a non-windowed clock: an analog face with hands, a digital text
// in segment digits, or both; the time, the date, a stopwatch, a countdown or
// an alarm time. Its own timer repaints it once a second.
#pragma once

#include "classlib/system/DateUtils.h"
#include "dateclock/DcClockObjects.h"
#include "dateclock/DcControls.h"
#include "dateclock/DcFillObject.h"
#include "dateclock/DcLED.h"
#include "dateclock/DcTimer.h"

#include <string>

enum TDcClockMode : uint8_t { cmNormal, cmDate, cmStopwatch, cmCountdown, cmAlarm };
enum TDcClockOption : uint8_t { coShowDigital, coShowAnalog, coEnableAlarm, co24Hour, coFixed, coOffset, coShowSecCircle };
using TDcClockOptions = TDcSet<TDcClockOption, uint8_t>;
enum TDcClockStyle : uint8_t { csSimple, csWin95 };
enum TDcClockFill : uint8_t { fmControl, fmClock };
using TDcDateTimeFormat = std::string;

class TDcClock : public TDcGraphicControl {
public:
    explicit TDcClock(TComponent* AOwner);
    ~TDcClock() override;

    // ---- What is shown -----------------------------------------------------
    TDcClockMode Mode() const { return FMode; }
    void SetMode(TDcClockMode value);
    TDcClockOptions Options() const { return FOptions; }
    // Raises "One clock style must be active!" for a set with neither the
    // digital nor the analog part, and then keeps the options it had.
    void SetOptions(TDcClockOptions value);
    bool DigitalOnly() const { return FDigitalOnly; }
    void SetDigitalOnly(bool value) { SetFlag(FDigitalOnly, value); }
    bool DigitalShowSecs() const { return FDigitalShowSecs; }
    void SetDigitalShowSecs(bool value) { SetFlag(FDigitalShowSecs, value); }
    bool UseCustomDateTime() const { return FUseCustomDateTime; }
    void SetUseCustomDateTime(bool value) { SetFlag(FUseCustomDateTime, value); }
    const TDcDateTimeFormat& CustomDateTimeFormat() const { return FCustomDateTimeFormat; }
    void SetCustomDateTimeFormat(const TDcDateTimeFormat& value);
    int DigitalPosX() const { return FDigitalPosX; }
    void SetDigitalPosX(int value);
    int DigitalPosY() const { return FDigitalPosY; }
    void SetDigitalPosY(int value);
    TDcClockStyle Style() const { return FStyle; }
    void SetStyle(TDcClockStyle value);
    TDcClockFill FillMode() const { return FFillMode; }
    void SetFillMode(TDcClockFill value);

    // ---- Colours: index 0..3 the scale, 4 the digit cells' background ---
    TColor GetFaceColor(int index) const;
    void SetFaceColor(int index, TColor value);
    TColor ColorSmallTick() const { return GetFaceColor(0); }
    void SetColorSmallTick(TColor value) { SetFaceColor(0, value); }
    TColor ColorSmallTickShade() const { return GetFaceColor(1); }
    void SetColorSmallTickShade(TColor value) { SetFaceColor(1, value); }
    TColor ColorBigTick() const { return GetFaceColor(2); }
    void SetColorBigTick(TColor value) { SetFaceColor(2, value); }
    TColor ColorBigTickShade() const { return GetFaceColor(3); }
    void SetColorBigTickShade(TColor value) { SetFaceColor(3, value); }
    TColor DigitalColor() const { return GetFaceColor(4); }
    void SetDigitalColor(TColor value) { SetFaceColor(4, value); }

    // ---- Sub-objects; the setters copy from the given object ----------------
    TDcLED* Digital() { return &FDigital; }
    void SetDigital(const TDcLED* value) { FDigital.Assign(value); }
    TDcClockHand* HourHand() { return &FHourHand; }
    TDcClockHand* MinuteHand() { return &FMinuteHand; }
    TDcClockHand* SecondHand() { return &FSecondHand; }
    TPen* SecondCircle() { return &FSecondCircle; }
    void SetSecondCircle(const TPen* value) { FSecondCircle.Assign(value); }
    TDcFillObject* FillObject() { return &FFillObject; }
    void SetFillObject(const TDcFillObject* value) { FFillObject.Assign(value); }
    TDcDateTime* FixedTime() { return &FFixedTime; }
    void SetFixedTime(const TDcDateTime* value) { FFixedTime.Assign(value); }
    TDcTimeOffset* TimeOffset() { return &FTimeOffset; }
    void SetTimeOffset(const TDcTimeOffset* value) { FTimeOffset.Assign(value); }
    TDcTimeInterval* Countdown() { return &FCountdown; }

    // ---- Alarm, stopwatch, countdown ------------------------------------------
    uint16_t RepeatAlarm() const { return FRepeatAlarm; }
    // Takes effect at once unless an alarm is sounding, then after it.
    void SetRepeatAlarm(uint16_t value);
    TDateTime AlarmTime() const { return FAlarmTime; }
    void SetAlarmTime(TDateTime value) { FAlarmTime = value; }
    bool AlarmActive() const { return FAlarmActive; }
    TDateTime Stopwatch() const { return FStopwatch; }
    bool StopwatchRunning() const { return FStopwatchRunning; }
    void StartStpWatch();
    void EndStpWatch();
    void StartCountdown();
    void EndCountdown();
    virtual void Alarm();
    void EndAlarm();

    // ---- Timer ----------------------------------------------------------------
    bool UseGlobalTimer() const { return FTickTimer.Global(); }
    void SetUseGlobalTimer(bool value);
    TDcTimer* TickTimer() { return &FTickTimer; }
    // One tick: countdown end, alarm, repaint.
    void OnTimer(TObject* Sender);

    // ---- Painting and text ------------------------------------------------------
    // The time shown: now, or FixedTime, moved by TimeOffset as the options say.
    virtual TDateTime GetTime();
    virtual std::string GetDigitalText();
    // A digits-only clock takes the size of its text (keeping its left and
    // top edges); true when that changed the size.
    bool CorrectBounds();
    void Paint() override;
    void PaintDigital(TCanvas* canvas);
    void PaintAnalog(TCanvas* canvas);
    void PaintHands(TCanvas* canvas);
    void GetChange(TObject* Sender) override;
    void Loaded() override;
    // The picture of the last paint, of the control's size.
    TBitmap* Offscreen() { return &FOffscreen; }
    bool FaceDirty() const { return FFaceDirty; }

    // 1 when a is earlier than b, -1 when later, 0 when equal: whole days
    // first, then the time of day.
    static int CompareDateTime(TDateTime a, TDateTime b);

    TNotifyEvent OnAlarm;
    TNotifyEvent OnCountdownStart;
    TNotifyEvent OnCountdownEnd;
    TNotifyEvent OnStopWatchStart;
    TNotifyEvent OnStopWatchEnd;

protected:
    void BoundsChange(TDcBoundsChanges changes) override;
    void CMColorChanged(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;

private:
    void SetFlag(bool& field, bool value);
    void PaintFace(TCanvas* canvas);
    void PaintScaleMark(TCanvas* canvas, int index, int cx, int cy, int radius);
    void PaintSecondCircle(TCanvas* canvas, int cx, int cy, int radius, int second);
    // The point at angle degrees (clockwise from 12 o'clock) and distance d from (cx, cy).
    static TPoint PolarPoint(int cx, int cy, double degrees, double d);
    int DialRadius() const;

    TDcClockMode FMode = cmNormal;
    TDcClockOptions FOptions{coShowAnalog, co24Hour};
    bool FDigitalOnly = false;
    bool FDigitalShowSecs = true;
    bool FUseCustomDateTime = false;
    TDcDateTimeFormat FCustomDateTimeFormat = "hh:nn:ss";
    int FDigitalPosX = -1;
    int FDigitalPosY = -1;
    TDcLED FDigital;
    TColor FFaceColors[5] = {clWhite, clBtnFace, clTeal, clAqua, 0};
    TDcClockHand FHourHand;
    TDcClockHand FMinuteHand;
    TDcClockHand FSecondHand;
    TPen FSecondCircle;
    TDcClockStyle FStyle = csWin95;
    TDcClockFill FFillMode = fmControl;
    TDcFillObject FFillObject;
    TDcDateTime FFixedTime;
    TDcTimeOffset FTimeOffset;
    uint16_t FRepeatAlarm = 10;
    TDateTime FStopwatch = 0;

    std::string FTimeFormat = "hh:nn:ss";
    TDcTimer FTickTimer;
    TBitmap FFaceCache;
    // Reused from paint to paint, so a steady clock allocates nothing.
    TBitmap FOffscreen;
    bool FFaceDirty = true;
    bool FPainting = false;
    TDateTime FAlarmTime;
    bool FAlarmActive = false;
    int32_t FAlarmCounter = 10;
    bool FStopwatchRunning = false;
    TDcTimeInterval FCountdown;
    int FCirclePhase = 0;
    int FLastSecond = -1;
};
