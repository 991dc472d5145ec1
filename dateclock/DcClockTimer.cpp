// The clock's tick, and its alarm, stopwatch and countdown.
#include "dateclock/DcClock.h"

void TDcClock::OnTimer(TObject*)
{
    if (ComponentState() & csDesigning) return;
    if (FCountdown.Enabled() && CompareDateTime(GetTime(), FCountdown.EndTime()) != 1 && Enabled()) {
        EndCountdown();
        if (FOptions.Contains(coEnableAlarm)) Alarm();
    }
    if (FAlarmActive) {
        --FAlarmCounter;
        Paint();
        if (FRepeatAlarm != 0) Alarm();
        if (FAlarmCounter <= 0) {
            EndAlarm();
            FAlarmCounter = FRepeatAlarm;
        }
        return;
    }
    if (FMode == cmAlarm && FOptions.Contains(coEnableAlarm) && CompareDateTime(GetTime(), FAlarmTime) != 1) Alarm();
    Paint();
}

void TDcClock::SetRepeatAlarm(uint16_t value)
{
    FRepeatAlarm = value;
    if (!FAlarmActive) FAlarmCounter = value;
}

void TDcClock::Alarm()
{
    FAlarmActive = true;
    FDigital.BeginFlash();
    if (OnAlarm) OnAlarm(this);
}

void TDcClock::EndAlarm()
{
    FDigital.EndFlash();
    SetMode(cmNormal);
    FAlarmActive = false;
}

void TDcClock::StartStpWatch()
{
    FMode = cmStopwatch;
    FStopwatchRunning = true;
    FStopwatch = GetTime();
    if (OnStopWatchStart) OnStopWatchStart(this);
}

void TDcClock::EndStpWatch()
{
    FStopwatchRunning = false;
    const TDateTime elapsed = GetTime() - FStopwatch;
    FStopwatch = elapsed > 0 ? elapsed : 0;
    if (OnStopWatchEnd) OnStopWatchEnd(this);
}

void TDcClock::StartCountdown()
{
    FCountdown.SetEnabled(true);
    FMode = cmCountdown;
    if (OnCountdownStart) OnCountdownStart(this);
}

void TDcClock::EndCountdown()
{
    FCountdown.SetEnabled(false);
    FMode = cmNormal;
    if (OnCountdownEnd) OnCountdownEnd(this);
}
