// TDmLedClock: construction, properties, the tick and the lifecycle.
#include "ledclock/DmLedClock.h"

#include "classlib/system/Exceptions.h"
#include "classlib/system/SysUtils.h"

#include <cmath>

TDmLedClock::TDmLedClock(TComponent* AOwner) : TDmGraphicImageControl(AOwner)
{
    // Opaque: the parent need not paint beneath; the caption never follows the name.
    SetControlStyle((ControlStyle() | csOpaque) & ~csSetCaption);
    SetBounds(0, 0, 200, 200);
    // FLook already holds the initial picture values.
    SetParentColor(false);
    SetColor(clBlack);
    FTickTimer = &Create<TDmTimer>();
    FTickTimer->SetEnabled(false);  // the timer has no source yet: this creates none
    FTickTimer->OnTimer = [this](TObject* Sender) { OnTimerEvent(Sender); };
    // Show the time of construction even if the clock is never activated.
    OnTimerEvent(this);
}

TDmLedClock::~TDmLedClock()
{
    FreeAndNil(FTickTimer);
}

void TDmLedClock::BeforeDestruction()
{
    // The ticks stop before anything else of the clock goes.
    FreeAndNil(FTickTimer);
    TDmGraphicImageControl::BeforeDestruction();
}

void TDmLedClock::Notification(TComponent* component, TOperation operation)
{
    TDmGraphicImageControl::Notification(component, operation);
    if (operation == opRemove && component == FTickTimer) FTickTimer = nullptr;
}

// ---- Behaviour --------------------------------------------------------------

bool TDmLedClock::GetThreaded() const
{
    return FTickTimer && FTickTimer->TimerType() == ttThread;
}

void TDmLedClock::SetThreaded(bool value)
{
    if (FTickTimer) FTickTimer->SetTimerType(value ? ttThread : ttSystem);
}

void TDmLedClock::SetActive(bool value)
{
    if (value == FActive) return;
    FActive = value;
    if (!Designing() && FTickTimer) FTickTimer->SetEnabled(value);
}

// ---- Picture ----------------------------------------------------------------

template <typename T>
void TDmLedClock::SetLookValue(T& field, T value)
{
    if (field == value) return;
    field = value;
    UpdateControlCanvas();
}

void TDmLedClock::SetSecondsIndicator(bool value) { SetLookValue(FLook.SecondsIndicator, value); }
void TDmLedClock::SetHourMarks(bool value) { SetLookValue(FLook.HourMarks, value); }
void TDmLedClock::SetHoursColor(TColor value) { SetLookValue(FLook.HoursColor, value); }
void TDmLedClock::SetHoursOutline(TColor value) { SetLookValue(FLook.HoursOutline, value); }
void TDmLedClock::SetSecHandColor(TColor value) { SetLookValue(FLook.SecHandColor, value); }
void TDmLedClock::SetSecOutline(TColor value) { SetLookValue(FLook.SecOutline, value); }
void TDmLedClock::SetTickColor(TColor value) { SetLookValue(FLook.TickColor, value); }
void TDmLedClock::SetTickOutline(TColor value) { SetLookValue(FLook.TickOutline, value); }
void TDmLedClock::SetSecWidth(int value) { SetLookValue(FLook.SecWidth, value); }
void TDmLedClock::SetLedSize(int value) { SetLookValue(FLook.LedSize, value); }
void TDmLedClock::SetSpacing(int value) { SetLookValue(FLook.Spacing, value); }
void TDmLedClock::SetTextOffsetX(int value) { SetLookValue(FLook.TextOffsetX, value); }
void TDmLedClock::SetTextOffsetY(int value) { SetLookValue(FLook.TextOffsetY, value); }
void TDmLedClock::SetTextAngle(int value) { SetLookValue(FLook.TextAngle, value); }
void TDmLedClock::SetHourFormat(TDmHourFormat value) { SetLookValue(FLook.HourFormat, value); }

void TDmLedClock::SetTickWidth(int value)
{
    if (value <= 0) return;
    SetLookValue(FLook.TickWidth, value);
}

void TDmLedClock::SetBackground(const TBitmap* value)
{
    if (value) {
        FBackground.Assign(value);
    } else {
        FBackground.SetSize(0, 0);
    }
    UpdateControlCanvas();
}

// ---- Time -------------------------------------------------------------------

namespace {

uint8_t CheckedTimeField(int value, int highest, const char* name)
{
    if (value < 0 || value > highest)
        throw EInvalidOperation(Format("%s must be 0 to %d, not %d", name, highest, value));
    return static_cast<uint8_t>(value);
}

}  // namespace

void TDmLedClock::SetHours(int value) { SetLookValue(FLook.Hours, CheckedTimeField(value, 23, "Hours")); }
void TDmLedClock::SetMinutes(int value) { SetLookValue(FLook.Minutes, CheckedTimeField(value, 59, "Minutes")); }
void TDmLedClock::SetSeconds(int value) { SetLookValue(FLook.Seconds, CheckedTimeField(value, 59, "Seconds")); }

void TDmLedClock::SetTime(TDateTime value)
{
    int hour = 0, minute = 0, second = 0, millisecond = 0;
    DecodeTime(value, hour, minute, second, millisecond);
    FTime = value;
    SetHours(hour);
    SetMinutes(minute);
    SetSeconds(second);
}

// ---- The tick -----------------------------------------------------------------

bool TDmLedClock::AlarmDue(TDateTime now) const
{
    if (!FEnableAlarm || !std::isfinite(FAlarmTime)) return false;
    // The alarm's own date must be today; its time of day must be the one now shown.
    if (std::trunc(FAlarmTime) != std::floor(now)) return false;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
    DecodeTime(FAlarmTime, hour, minute, second, millisecond);
    return hour == FLook.Hours && minute == FLook.Minutes && second == FLook.Seconds;
}

void TDmLedClock::OnTimerEvent(TObject* Sender)
{
    const TDmHoursInt oldHours = FLook.Hours;
    const TDmMinutesInt oldMinutes = FLook.Minutes;
    const TDmSecondsInt oldSeconds = FLook.Seconds;

    const TDateTime now = Now();
    int hour = 0, minute = 0, second = 0, millisecond = 0;
    DecodeTime(now, hour, minute, second, millisecond);
    // Straight into the fields: the repaint is decided below, once.
    FLook.Hours = static_cast<TDmHoursInt>(hour);
    FLook.Minutes = static_cast<TDmMinutesInt>(minute);
    FLook.Seconds = static_cast<TDmSecondsInt>(second);

    // Decided before any handler runs, so a handler cannot change the outcome.
    const bool alarm = AlarmDue(now);

    // A change of the hour alone is drawn at the next minute.
    if ((FLook.SecondsIndicator && FLook.Seconds != oldSeconds) || FLook.Minutes != oldMinutes) UpdateControlCanvas();
    if (FLook.Hours != oldHours) HoursChanged();
    if (FLook.Minutes != oldMinutes) MinutesChanged();
    if (FLook.Seconds != oldSeconds) SecondsChanged();
    if (alarm) DoAlarm();
}

void TDmLedClock::HoursChanged()
{
    if (OnHoursChanged) OnHoursChanged(this, FLook.Hours);
}

void TDmLedClock::MinutesChanged()
{
    if (OnMinutesChanged) OnMinutesChanged(this, FLook.Minutes);
}

void TDmLedClock::SecondsChanged()
{
    if (OnSecondsChanged) OnSecondsChanged(this, FLook.Seconds);
}

void TDmLedClock::DoAlarm()
{
    if (OnAlarm) OnAlarm(this);
}

void TDmLedClock::Loaded()
{
    TDmGraphicImageControl::Loaded();
    // Replace the stored design-time time with the wall clock at once.
    if (FActive) OnTimerEvent(this);
}
