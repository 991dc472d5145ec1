// The clock's date-time part setters and its time offset.
#include "classlib/system/Exceptions.h"
#include "dateclock/DcClockObjects.h"

#include <gtest/gtest.h>

namespace {

TEST(DcDateTime, SettingAPartKeepsTheOthers)
{
    TDcDateTime t;
    EXPECT_EQ(t.Value(), EncodeDate(1990, 1, 1));
    t.SetValue(EncodeDate(2012, 4, 26) + EncodeTime(17, 36, 15, 250));
    t.SetHour(8);
    t.SetMonth(2);
    t.SetYear(2016);
    t.SetDay(29);
    EXPECT_EQ(t.Value(), EncodeDate(2016, 2, 29) + EncodeTime(8, 36, 15, 250));
    EXPECT_EQ(t.Minute(), 36);
    EXPECT_EQ(t.Second(), 15);

    // An impossible date or time is refused and changes nothing.
    const TDateTime before = t.Value();
    EXPECT_THROW(t.SetYear(2015), EConvertError);
    EXPECT_THROW(t.SetHour(24), EConvertError);
    EXPECT_THROW(t.SetMinute(-1), EConvertError);
    EXPECT_EQ(t.Value(), before);

    // Before 30 December 1899 the time still counts forward from midnight.
    t.SetValue(EncodeDate(1899, 12, 1));
    t.SetHour(6);
    EXPECT_EQ(t.Day(), 1);
    EXPECT_EQ(t.Hour(), 6);
}

TEST(DcTimeOffset, AddsEveryPart)
{
    TDcTimeOffset offset;
    offset.SetDays(1);
    offset.SetHours(-2);
    offset.SetMinutes(30);
    offset.SetSeconds(90);
    const TDateTime t = offset.Apply(EncodeDate(2012, 4, 26) + EncodeTime(12, 0, 0, 0));
    EXPECT_NEAR((t - (EncodeDate(2012, 4, 27) + EncodeTime(10, 31, 30, 0))) * SecsPerDay, 0.0, 1e-6);
}

} // namespace
