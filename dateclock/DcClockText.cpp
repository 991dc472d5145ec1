// What the clock shows as text, and the size of a digits-only clock.
#include "classlib/system/DateFormat.h"
#include "dateclock/DcClock.h"
#include "dateclock/DcText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

TDateTime TDcClock::GetTime()
{
    TDateTime t = Now();
    if (FOptions.Contains(coFixed)) t = FFixedTime.Value();
    if (FOptions.Contains(coOffset)) t = FTimeOffset.Apply(t);
    return t;
}

std::string TDcClock::GetDigitalText()
{
    if (!Enabled()) return "--- NA ---";
    const std::string& fmt = FUseCustomDateTime ? FCustomDateTimeFormat : FTimeFormat;
    auto time = [&](TDateTime t) {
        return FOptions.Contains(co24Hour) ? FormatDateTime(fmt, t) : FormatDateTime(fmt + " a/p", t);
    };
    switch (FMode) {
    case cmNormal: return time(GetTime());
    case cmDate: return FormatDateTime("ddd ddddd", GetTime());
    case cmStopwatch: {
        const TDateTime now = GetTime();
        if (FStopwatchRunning && now > FStopwatch) return "S " + FormatDateTime("tt", now - FStopwatch);
        return "S " + FormatDateTime("tt", FStopwatch);
    }
    case cmCountdown: {
        const TDateTime now = GetTime();
        const TDateTime end = FCountdown.EndTime();
        if (!(end > now)) return "C 00:00:00";
        // Whole hours, so a countdown of more than a day does not wrap.
        const double left = std::nearbyint((end - now) * SecsPerDay * 1000.0) / 1000.0;
        const auto seconds = static_cast<long long>(std::min(left, 1e15));
        char text[48];
        std::snprintf(text, sizeof text, "C %.2lld:%.2lld:%.2lld", seconds / 3600, seconds / 60 % 60, seconds % 60);
        return text;
    }
    case cmAlarm: return (FOptions.Contains(coEnableAlarm) ? "A " : "NA ") + time(FAlarmTime);
    }
    return {};
}

bool TDcClock::CorrectBounds()
{
    if (!FDigitalOnly) return false;
    const long long characters = static_cast<long long>(DcCharacterCount(GetDigitalText()));
    const long long w = DblBevelExt() + characters * FDigital.GetWidth();
    const long long h = DblBevelExt() + FDigital.GetHeight();
    // A text too long for any screen keeps the largest width a control can have.
    const int width = static_cast<int>(std::min<long long>(w, MaxGraphicDimension));
    const int height = static_cast<int>(std::min<long long>(h, MaxGraphicDimension));
    if (width == Width() && height == Height()) return false;
    SetBounds(Left(), Top(), width, height);
    // Where the size cannot be had (alignment, constraints) the clock paints
    // at the size it got rather than waiting for a resize that never comes.
    return Width() == width && Height() == height;
}

int TDcClock::CompareDateTime(TDateTime a, TDateTime b)
{
    const double dayA = std::trunc(a), dayB = std::trunc(b);
    if (dayA != dayB) return dayA < dayB ? 1 : -1;
    const double timeA = a - dayA, timeB = b - dayB;
    if (timeA == timeB) return 0;
    return timeA < timeB ? 1 : -1;
}
