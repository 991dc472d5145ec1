#include "dateclock/DcClockObjects.h"

#include <cmath>

namespace {

template <typename T>
bool Store(T& field, T value)
{
    if (field == value) return false;
    field = value;
    return true;
}

} // namespace

void TDcClockHand::SetColor(TColor value)
{
    if (Store(FColor, value)) Change();
}

void TDcClockHand::SetThickness(uint8_t value)
{
    if (Store(FThickness, value)) Change();
}

void TDcClockHand::SetVisible(bool value)
{
    if (Store(FVisible, value)) Change();
}

void TDcClockHand::Assign(const TPersistent* source)
{
    if (auto other = dynamic_cast<const TDcClockHand*>(source)) {
        FColor = other->FColor;
        FThickness = other->FThickness;
        FVisible = other->FVisible;
        Change();
        return;
    }
    TDcObject::Assign(source);
}

void TDcTimeOffset::SetDays(int32_t value)
{
    if (Store(FDays, value)) Change();
}

void TDcTimeOffset::SetHours(int32_t value)
{
    if (Store(FHours, value)) Change();
}

void TDcTimeOffset::SetMinutes(int32_t value)
{
    if (Store(FMinutes, value)) Change();
}

void TDcTimeOffset::SetSeconds(int32_t value)
{
    if (Store(FSeconds, value)) Change();
}

TDateTime TDcTimeOffset::Apply(TDateTime t) const
{
    return t + FDays + FHours / 24.0 + FMinutes / 1440.0 + FSeconds / 86400.0;
}

void TDcTimeOffset::Assign(const TPersistent* source)
{
    if (auto other = dynamic_cast<const TDcTimeOffset*>(source)) {
        FDays = other->FDays;
        FHours = other->FHours;
        FMinutes = other->FMinutes;
        FSeconds = other->FSeconds;
        Change();
        return;
    }
    TDcObject::Assign(source);
}

TDcDateTime::TDcDateTime() : FValue(EncodeDate(1990, 1, 1)) {}

void TDcDateTime::SetValue(TDateTime value)
{
    if (Store(FValue, value)) Change();
}

int TDcDateTime::Day() const
{
    int y, m, d;
    DecodeDate(FValue, y, m, d);
    return d;
}

int TDcDateTime::Month() const
{
    int y, m, d;
    DecodeDate(FValue, y, m, d);
    return m;
}

int TDcDateTime::Year() const
{
    int y, m, d;
    DecodeDate(FValue, y, m, d);
    return y;
}

int TDcDateTime::Hour() const
{
    int h, n, s, ms;
    DecodeTime(FValue, h, n, s, ms);
    return h;
}

int TDcDateTime::Minute() const
{
    int h, n, s, ms;
    DecodeTime(FValue, h, n, s, ms);
    return n;
}

int TDcDateTime::Second() const
{
    int h, n, s, ms;
    DecodeTime(FValue, h, n, s, ms);
    return s;
}

namespace {

// A date and a time of day as one value; before 30 December 1899 the time
// still counts forward from midnight.
TDateTime Combine(TDateTime date, TDateTime time)
{
    return date < 0 ? date - time : date + time;
}

} // namespace

void TDcDateTime::SetDate(int year, int month, int day)
{
    int h, n, s, ms;
    DecodeTime(FValue, h, n, s, ms);
    SetValue(Combine(EncodeDate(year, month, day), EncodeTime(h, n, s, ms)));
}

void TDcDateTime::SetTime(int hour, int minute, int second)
{
    int y, m, d, h, n, s, ms;
    DecodeDateTime(FValue, y, m, d, h, n, s, ms);
    SetValue(Combine(EncodeDate(y, m, d), EncodeTime(hour, minute, second, ms)));
}

void TDcDateTime::SetDay(int value) { SetDate(Year(), Month(), value); }
void TDcDateTime::SetMonth(int value) { SetDate(Year(), value, Day()); }
void TDcDateTime::SetYear(int value) { SetDate(value, Month(), Day()); }
void TDcDateTime::SetHour(int value) { SetTime(value, Minute(), Second()); }
void TDcDateTime::SetMinute(int value) { SetTime(Hour(), value, Second()); }
void TDcDateTime::SetSecond(int value) { SetTime(Hour(), Minute(), value); }

void TDcDateTime::Assign(const TPersistent* source)
{
    if (auto other = dynamic_cast<const TDcDateTime*>(source)) {
        SetValue(other->FValue);
        return;
    }
    TDcObject::Assign(source);
}

void TDcTimeInterval::SetHour(uint16_t value)
{
    if (Store(FHour, value)) Restart();
}

void TDcTimeInterval::SetMinute(uint16_t value)
{
    if (Store(FMinute, value)) Restart();
}

void TDcTimeInterval::SetSecond(uint16_t value)
{
    if (Store(FSecond, value)) Restart();
}

void TDcTimeInterval::SetEnabled(bool value)
{
    if (Store(FEnabled, value)) Restart();
}

TDateTime TDcTimeInterval::Duration() const
{
    return FHour / 24.0 + FMinute / 1440.0 + FSecond / 86400.0;
}

void TDcTimeInterval::Restart()
{
    FEndTime = Now() + Duration();
    Change();
}
