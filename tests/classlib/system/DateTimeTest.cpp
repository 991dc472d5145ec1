#include "classlib/system/DateFormat.h"
#include "classlib/system/DateUtils.h"
#include "classlib/system/Exceptions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TDateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0)
{
    return EncodeDate(y, mo, d) + EncodeTime(h, mi, s, ms);
}

} // namespace

TEST(DateTime, DayCountsAndWeekdays)
{
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(2012, 4, 26), 41025.0);
    EXPECT_EQ(EncodeDate(1, 1, 1), -693593.0);
    EXPECT_EQ(EncodeDate(9999, 12, 31), 2958465.0);
    EXPECT_EQ(DayOfWeek(EncodeDate(2012, 4, 26)), 5); // Thursday
    EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 31)), 1); // Sunday
    EXPECT_EQ(EncodeTime(18, 0, 0, 0), 0.75);
    // Every fourth day of the whole range decodes to what it was made from.
    for (double v = -693593; v <= 2958465; v += 4) {
        int y = 0, m = 0, d = 0;
        DecodeDate(v, y, m, d);
        ASSERT_EQ(EncodeDate(y, m, d), v) << y << "-" << m << "-" << d;
    }
}

TEST(DateTime, DecodingRoundsToMillisecondsAndHandlesNegativeValues)
{
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, ms = 0;
    DecodeDateTime(At(2012, 4, 26, 17, 5, 9, 45), y, mo, d, h, mi, s, ms);
    EXPECT_EQ(std::vector<int>({y, mo, d, h, mi, s, ms}), std::vector<int>({2012, 4, 26, 17, 5, 9, 45}));
    // Just short of midnight rounds up into the next day.
    DecodeDateTime(EncodeDate(2012, 4, 26) + (MSecsPerDay - 0.4) / MSecsPerDay, y, mo, d, h, mi, s, ms);
    EXPECT_EQ(std::vector<int>({y, mo, d, h, mi, s, ms}), std::vector<int>({2012, 4, 27, 0, 0, 0, 0}));
    // Before the epoch the fraction still counts forward from midnight.
    DecodeDateTime(-1.25, y, mo, d, h, mi, s, ms);
    EXPECT_EQ(std::vector<int>({y, mo, d, h, mi, s, ms}), std::vector<int>({1899, 12, 29, 6, 0, 0, 0}));
}

TEST(DateTime, InvalidPartsAndValuesRaise)
{
    EXPECT_THROW(EncodeDate(2011, 2, 29), EConvertError);
    EXPECT_NO_THROW(EncodeDate(2012, 2, 29));
    EXPECT_THROW(EncodeDate(0, 1, 1), EConvertError);
    EXPECT_THROW(EncodeDate(2012, 13, 1), EConvertError);
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, -1, 0, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 0, 0, 1000), EConvertError);
    int y = 0, m = 0, d = 0;
    for (const double bad : {std::nan(""), std::numeric_limits<double>::infinity(), 1e300, -1e9, 3e6})
        EXPECT_THROW(DecodeDate(bad, y, m, d), EConvertError) << bad;
}

TEST(DateTime, WallClockCanBeReplaced)
{
    SetWallClock([] { return At(2012, 4, 26, 17, 5, 9); });
    EXPECT_EQ(Now(), At(2012, 4, 26, 17, 5, 9));
    EXPECT_EQ(Date(), EncodeDate(2012, 4, 26));
    EXPECT_NEAR(Time(), EncodeTime(17, 5, 9, 0), 1e-9);
    SetWallClock({});
    const TDateTime system = SystemLocalTime();
    EXPECT_NEAR(Now(), system, 1.0 / SecsPerDay);
    EXPECT_GT(system, EncodeDate(2020, 1, 1));
}

TEST(FormatDateTime, LettersWithoutRegionalSettings)
{
    const TFormatSettings plain = TFormatSettings::Defaults();
    const TDateTime afternoon = At(2012, 4, 26, 17, 5, 9, 45);
    struct Case {
        const char* Format;
        TDateTime Value;
        const char* Expected;
    };
    const Case cases[] = {
        {"ddd ddddd", afternoon, "Thu 4/26/12"},
        {"dddd, mmmm d, yyyy", afternoon, "Thursday, April 26, 2012"},
        {"dddddd", afternoon, "Thursday, April 26, 2012"},
        {"yy/mm/dd mmm", afternoon, "12/04/26 Apr"},
        {"d/m/y", At(2009, 3, 7), "7/3/09"},
        {"hh:nn:ss.zzz", afternoon, "17:05:09.045"},
        {"h:n:s.z", afternoon, "17:5:9.45"},
        {"hh:mm", afternoon, "17:05"},    // m right after h is the minute
        {"HH:MM mm", afternoon, "17:05 04"}, // only the one right after h
        {"hh:nn a/p", afternoon, "05:05 p"},
        {"h AM/PM", afternoon, "5 PM"},
        {"h am/pm", At(2012, 4, 26, 9), "9 am"},
        {"hh ampm", afternoon, "05 PM"},
        {"h a/p", At(2012, 4, 26, 0, 30), "12 a"},
        {"h a/p", At(2012, 4, 26, 12, 30), "12 p"},
        {"h 'h' a/p", At(2012, 4, 26, 13), "1 h p"},
        {"h", At(2012, 4, 26, 13), "13"},
        {"c", afternoon, "4/26/12 5:05:09 PM"},
        {"c", At(2012, 4, 26), "4/26/12"},
        {"", afternoon, "4/26/12 5:05:09 PM"},
        {"t | tt", afternoon, "5:05 PM | 5:05:09 PM"},
        {"'d' \"m\" d", afternoon, "d m 26"},
        {"'unterminated d", afternoon, "unterminated d"},
        {"[ddd]", At(2012, 4, 29), "[Sun]"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatDateTime(c.Format, c.Value, plain), c.Expected) << c.Format;
}

TEST(FormatDateTime, LiteralsNeedNoValidDate)
{
    const TFormatSettings us = TFormatSettings::Defaults();
    EXPECT_EQ(FormatDateTime("'--- NA ---'", std::nan(""), us), "--- NA ---");
    EXPECT_THROW(FormatDateTime("d", std::nan(""), us), EConvertError);
}

TEST(FormatDateTime, SeparatorsAndNamesComeFromTheSettings)
{
    TFormatSettings s = TFormatSettings::Defaults();
    s.DateSeparator = "-";
    s.TimeSeparator = ".";
    s.ShortDayNames[4] = "Thx";
    s.ShortDateFormat = "ddddd"; // a format that names itself must not recurse forever
    EXPECT_EQ(FormatDateTime("ddd d/m hh:nn ddddd", At(2012, 4, 26, 17, 5), s), "Thx 26-4 17.05 ");
}

TEST(FormatDateTime, GermanRegionalSettingsFromTheLocale)
{
    TFormatSettings de;
    if (!TFormatSettings::FromLocale("de_DE.UTF-8", de)) GTEST_SKIP() << "de_DE.UTF-8 is not installed (scripts/setup)";
    EXPECT_EQ(de.ShortDayNames[4], "Do");
    EXPECT_EQ(de.LongDayNames[0], "Sonntag");
    EXPECT_EQ(de.ShortMonthNames[2], "M\xC3\xA4r");
    EXPECT_EQ(de.ShortDateFormat, "dd/mm/yyyy");
    EXPECT_EQ(de.DateSeparator, ".");
    EXPECT_EQ(de.LongTimeFormat, "hh:nn:ss");
    EXPECT_EQ(de.ShortTimeFormat, "hh:nn");
    const TDateTime afternoon = At(2012, 4, 26, 17, 5, 9);
    EXPECT_EQ(FormatDateTime("ddd ddddd", afternoon, de), "Do 26.04.2012");
    EXPECT_EQ(FormatDateTime("dddd, d. mmmm yyyy", afternoon, de), "Donnerstag, 26. April 2012");
    EXPECT_EQ(FormatDateTime("c", afternoon, de), "26.04.2012 17:05:09");
    EXPECT_EQ(FormatDateTime("t", afternoon, de), "17:05");
}

TEST(FormatDateTime, LocalesWithoutRegionalSettingsAndUnknownOnes)
{
    TFormatSettings s;
    ASSERT_TRUE(TFormatSettings::FromLocale("C", s));
    EXPECT_EQ(s.ShortDateFormat, "m/d/yy");
    EXPECT_EQ(s.ShortDayNames[0], "Sun");
    ASSERT_TRUE(TFormatSettings::FromLocale("POSIX", s));
    EXPECT_EQ(s.LongTimeFormat, "h:nn:ss AMPM");
    s.ShortDateFormat = "untouched";
    EXPECT_FALSE(TFormatSettings::FromLocale("xx_NOWHERE.UTF-8", s));
    EXPECT_EQ(s.ShortDateFormat, "untouched");

    // The process-wide settings follow a reload and go back.
    const TFormatSettings saved = FormatSettings();
    ASSERT_TRUE(LoadFormatSettings("C"));
    EXPECT_EQ(FormatDateTime("ddd ddddd", At(2012, 4, 26)), "Thu 4/26/12");
    EXPECT_FALSE(LoadFormatSettings("xx_NOWHERE.UTF-8"));
    EXPECT_EQ(DateToStr(At(2012, 4, 26)), "4/26/12");
    SetFormatSettings(saved);
}
