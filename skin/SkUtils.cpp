#include "skin/SkUtils.h"

#include "classlib/controls/Control.h"


bool InRect(TPoint Point, const TRect& Rect)
{
    return InRect(Point.X, Point.Y, Rect);
}

bool InRect(int X, int Y, const TRect& Rect)
{
    return Rect.Left <= X && X <= Rect.Right && Rect.Top <= Y && Y <= Rect.Bottom;
}

void PlaceControl(TControl& Control, TPoint Point)
{
    Control.SetBounds(Point.X, Point.Y, Control.Width(), Control.Height());
}

void PlaceControl(TControl& Control, const TRect& Rect)
{
    Control.SetBounds(Rect.Left, Rect.Top, Rect.Width(), Rect.Height());
}

std::string PCharToStr(const char* Text)
{
    return Text ? std::string(Text) : std::string();
}
