// The analog face: the scale marks, the hands and the seconds arc.
#include "dateclock/DcClock.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

int RoundHalfEven(double x)
{
    return static_cast<int>(std::nearbyint(x));
}

constexpr double Pi = 3.14159265358979323846;

} // namespace

TPoint TDcClock::PolarPoint(int cx, int cy, double degrees, double d)
{
    const double a = degrees * Pi / 180.0;
    return Point(cx + RoundHalfEven(d * std::sin(a)), cy - RoundHalfEven(d * std::cos(a)));
}

int TDcClock::DialRadius() const
{
    int margin = BevelExt() > 1 ? DblBevelExt() : 4;
    if (FOptions.Contains(coShowSecCircle)) margin += FSecondCircle.Width();
    return std::min(Width() / 2, Height() / 2) - margin;
}

void TDcClock::PaintAnalog(TCanvas* canvas)
{
    const int r = DialRadius();
    if (r <= 0) return;
    for (int i = 0; i < 60; ++i) PaintScaleMark(canvas, i, Width() / 2, Height() / 2, r);
}

void TDcClock::PaintScaleMark(TCanvas* canvas, int index, int cx, int cy, int r)
{
    const bool hour = index % 5 == 0;
    const double angle = 6.0 * index;
    const TPoint p = PolarPoint(cx, cy, angle, r);
    TPen* pen = canvas->Pen();
    TBrush* brush = canvas->Brush();
    if (FStyle == csSimple) {
        const TPoint inner = PolarPoint(cx, cy, angle, RoundHalfEven((hour ? 0.8 : 0.9) * r));
        pen->SetStyle(psSolid);
        pen->SetWidth(1);
        pen->SetColor(clBlack);
        canvas->MoveTo(p.X, p.Y);
        canvas->LineTo(inner.X, inner.Y);
        return;
    }
    pen->SetStyle(psSolid);
    pen->SetWidth(1);
    if (hour) {
        pen->SetColor(FFaceColors[3]);
        brush->SetColor(FFaceColors[2]);
        canvas->Rectangle(p.X - 3, p.Y - 3, p.X + 2, p.Y + 2);
        pen->SetColor(clBlack);
        canvas->MoveTo(p.X - 3, p.Y + 1);
        canvas->LineTo(p.X + 1, p.Y + 1);
        canvas->LineTo(p.X + 1, p.Y - 3);
    } else {
        pen->SetColor(FFaceColors[0]);
        brush->SetColor(FFaceColors[0]);
        canvas->Ellipse(p.X - 2, p.Y - 2, p.X + 2, p.Y + 2);
        pen->SetColor(FFaceColors[1]);
        brush->SetColor(FFaceColors[1]);
        canvas->Ellipse(p.X - 2, p.Y - 2, p.X + 1, p.Y + 1);
    }
}

void TDcClock::PaintHands(TCanvas* canvas)
{
    const int r = DialRadius();
    if (r <= 0) return;
    const int cx = Width() / 2, cy = Height() / 2;
    int hour = 0, minute = 0, second = 0, ms = 0;
    if (Enabled()) DecodeTime(GetTime(), hour, minute, second, ms);
    const struct {
        TDcClockHand* Hand;
        double Angle;
        double Length;
    } hands[] = {
        {&FHourHand, 30.0 * (hour % 12) + 0.5 * minute, 0.5},
        {&FMinuteHand, 6.0 * minute, 0.6},
        {&FSecondHand, 6.0 * second, 0.7},
    };
    TPen* pen = canvas->Pen();
    pen->SetStyle(psSolid);
    for (const auto& h : hands) {
        if (!h.Hand->Visible()) continue;
        pen->SetColor(h.Hand->Color());
        pen->SetWidth(h.Hand->Thickness());
        const TPoint tail = PolarPoint(cx, cy, h.Angle + 180.0, RoundHalfEven(0.1 * r));
        const TPoint tip = PolarPoint(cx, cy, h.Angle, RoundHalfEven(h.Length * r));
        canvas->MoveTo(tail.X, tail.Y);
        canvas->LineTo(tip.X, tip.Y);
    }
    pen->SetWidth(1);
    if (FOptions.Contains(coShowSecCircle)) PaintSecondCircle(canvas, cx, cy, r, second);
}

void TDcClock::PaintSecondCircle(TCanvas* canvas, int cx, int cy, int r, int second)
{
    if (second < FLastSecond) FCirclePhase ^= 1;
    FLastSecond = second;
    const double radius = r + FSecondCircle.Width() + 2;
    // The arc from 12 o'clock to the second hand, or in alternate minutes the rest of the circle.
    const int sweep = 6 * second;
    const int from = FCirclePhase ? sweep : 0;
    const int to = FCirclePhase ? 360 : sweep;
    if (to <= from) return;
    std::array<TPoint, 361> points;
    int count = 0;
    for (int degree = from; degree <= to; ++degree) points[count++] = PolarPoint(cx, cy, degree, radius);
    TPen saved;
    saved.Assign(canvas->Pen());
    canvas->Pen()->Assign(&FSecondCircle);
    canvas->Polyline(points.data(), count);
    canvas->Pen()->Assign(&saved);
}
