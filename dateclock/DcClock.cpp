// The clock's construction, properties and change handling.
#include "dateclock/DcClock.h"

#include "classlib/system/Exceptions.h"

TDcClock::TDcClock(TComponent* AOwner) : TDcGraphicControl(AOwner), FAlarmTime(Date())
{
    auto change = [this](TObject* sender) { GetChange(sender); };
    FDigital.OnChange = change;
    FHourHand.OnChange = change;
    FMinuteHand.OnChange = change;
    FSecondHand.OnChange = change;
    FFillObject.OnChange = change;
    FSecondCircle.OnChange = change;
    FHourHand.BeginUpdate();
    FHourHand.SetThickness(5);
    FHourHand.SetColor(clAqua);
    FHourHand.EndUpdate(false);
    FMinuteHand.BeginUpdate();
    FMinuteHand.SetThickness(3);
    FMinuteHand.SetColor(clTeal);
    FMinuteHand.EndUpdate(false);
    FSecondHand.BeginUpdate();
    FSecondHand.SetThickness(1);
    FSecondHand.EndUpdate(false);
    FTickTimer.OnTimer = [this](TObject* sender) { OnTimer(sender); };
}

TDcClock::~TDcClock()
{
    FTickTimer.SetEnabled(false);
    FTickTimer.OnTimer = nullptr;
}

void TDcClock::SetMode(TDcClockMode value)
{
    if (FMode == value) return;
    FCountdown.SetEnabled(false);
    FStopwatchRunning = false;
    FMode = value;
    Paint();
}

void TDcClock::SetOptions(TDcClockOptions value)
{
    if (!value.Contains(coShowDigital) && !value.Contains(coShowAnalog))
        throw Exception("One clock style must be active!");
    if (FOptions == value) return;
    if (FOptions.Contains(coShowAnalog) && !value.Contains(coShowAnalog)) {
        FDigitalPosX = 0;
        FDigitalPosY = 0;
    }
    FOptions = value;
    GetChange(nullptr);
}

void TDcClock::SetFlag(bool& field, bool value)
{
    if (field == value) return;
    field = value;
    FTimeFormat = FDigitalShowSecs ? "hh:nn:ss" : "hh:nn";
    FFaceCache.FreeImage();
    GetChange(nullptr);
}

void TDcClock::SetCustomDateTimeFormat(const TDcDateTimeFormat& value)
{
    if (FCustomDateTimeFormat == value) return;
    FCustomDateTimeFormat = value;
    if (FUseCustomDateTime) GetChange(nullptr);
}

void TDcClock::SetDigitalPosX(int value)
{
    if (FDigitalPosX == value) return;
    FDigitalPosX = value;
    GetChange(nullptr);
}

void TDcClock::SetDigitalPosY(int value)
{
    if (FDigitalPosY == value) return;
    FDigitalPosY = value;
    GetChange(nullptr);
}

void TDcClock::SetStyle(TDcClockStyle value)
{
    if (FStyle == value) return;
    FStyle = value;
    GetChange(nullptr);
}

void TDcClock::SetFillMode(TDcClockFill value)
{
    if (FFillMode == value) return;
    FFillMode = value;
    GetChange(nullptr);
}

TColor TDcClock::GetFaceColor(int index) const
{
    return index >= 0 && index < 5 ? FFaceColors[index] : clNone;
}

void TDcClock::SetFaceColor(int index, TColor value)
{
    if (index < 0 || index >= 5 || FFaceColors[index] == value) return;
    FFaceColors[index] = value;
    GetChange(nullptr);
}

void TDcClock::SetUseGlobalTimer(bool value)
{
    if (FTickTimer.Global() == value) return;
    FTickTimer.SetInterval(value ? 500 : 1000);
    FTickTimer.SetGlobal(value);
}

void TDcClock::GetChange(TObject* Sender)
{
    if (Sender == nullptr || Sender == &FFillObject || Sender == Bevel() || dynamic_cast<TDcClockHand*>(Sender))
        FFaceDirty = true;
    if (Updating()) return;
    Paint();
}

void TDcClock::Loaded()
{
    TDcGraphicControl::Loaded();
    if (Enabled()) Paint();
    FAlarmCounter = FRepeatAlarm;
    if (Transparent()) FFaceDirty = true;
}

void TDcClock::BoundsChange(TDcBoundsChanges changes)
{
    FFaceDirty = true;
    TDcGraphicControl::BoundsChange(changes);
}

void TDcClock::CMColorChanged(TMessage& Message)
{
    FFaceDirty = true;
    TDcGraphicControl::CMColorChanged(Message);
}

void TDcClock::CMEnabledChanged(TMessage& Message)
{
    TDcGraphicControl::CMEnabledChanged(Message);
    FTickTimer.SetEnabled(Enabled());
    GetChange(nullptr);
}
