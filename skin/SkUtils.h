// Small geometry and text helpers of the skinned controls.
#pragma once

#include "classlib/system/Types.h"

#include <string>

class TControl;

// True when the point lies in the rectangle or on any of its four edges
// (Left <= x <= Right and Top <= y <= Bottom), as hit tests at paint time expect.
bool InRect(TPoint Point, const TRect& Rect);
bool InRect(int X, int Y, const TRect& Rect);

// Moves the control to Point, keeping its size.
void PlaceControl(TControl& Control, TPoint Point);
// Gives the control Rect's position and size.
void PlaceControl(TControl& Control, const TRect& Rect);

// The C string as a string; a null pointer gives an empty one.
std::string PCharToStr(const char* Text);

// The work area a maximized skinned form fills is GetWorkAreaRect() of the
// class library (classlib/Windowing.h): the platform reports one screen, the
// one that holds every form, main form included.
