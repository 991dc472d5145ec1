// The clock's small sub-objects: a hand, a time offset, a fixed date and
// time, and the countdown interval.
#pragma once

#include "classlib/graphics/Color.h"
#include "classlib/system/DateUtils.h"
#include "dateclock/DcObject.h"

#include <cstdint>

class TDcClockHand : public TDcObject {
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    uint8_t Thickness() const { return FThickness; }
    void SetThickness(uint8_t value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    void Assign(const TPersistent* source) override;

private:
    TColor FColor = 0;
    uint8_t FThickness = 2;
    bool FVisible = true;
};

// Days, hours, minutes and seconds added to the time shown.
class TDcTimeOffset : public TDcObject {
public:
    int32_t Days() const { return FDays; }
    void SetDays(int32_t value);
    int32_t Hours() const { return FHours; }
    void SetHours(int32_t value);
    int32_t Minutes() const { return FMinutes; }
    void SetMinutes(int32_t value);
    int32_t Seconds() const { return FSeconds; }
    void SetSeconds(int32_t value);
    // t moved by the offset.
    TDateTime Apply(TDateTime t) const;
    void Assign(const TPersistent* source) override;

private:
    int32_t FDays = 0;
    int32_t FHours = 0;
    int32_t FMinutes = 0;
    int32_t FSeconds = 0;
};

// One date and time whose parts can be read and set one at a time. Setting a
// part re-encodes the date or the time of day and keeps the other parts; an
// impossible result (31 April, hour 24) raises EConvertError and changes nothing.
class TDcDateTime : public TDcObject {
public:
    TDcDateTime();
    TDateTime Value() const { return FValue; }
    void SetValue(TDateTime value);
    int Day() const;
    void SetDay(int value);
    int Month() const;
    void SetMonth(int value);
    int Year() const;
    void SetYear(int value);
    int Hour() const;
    void SetHour(int value);
    int Minute() const;
    void SetMinute(int value);
    int Second() const;
    void SetSecond(int value);
    void Assign(const TPersistent* source) override;

private:
    void SetDate(int year, int month, int day);
    void SetTime(int hour, int minute, int second);
    TDateTime FValue;
};

// The countdown: a duration, and the moment it ends once started.
class TDcTimeInterval : public TDcObject {
public:
    uint16_t Hour() const { return FHour; }
    void SetHour(uint16_t value);
    uint16_t Minute() const { return FMinute; }
    void SetMinute(uint16_t value);
    uint16_t Second() const { return FSecond; }
    void SetSecond(uint16_t value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    TDateTime EndTime() const { return FEndTime; }
    // The duration as a fraction of days.
    TDateTime Duration() const;

private:
    // A new setting restarts the interval from now.
    void Restart();

    uint16_t FHour = 0;
    uint16_t FMinute = 1;
    uint16_t FSecond = 0;
    bool FEnabled = false;
    TDateTime FEndTime = 0;
};
