// The family's hand pointer, registered in the screen's cursor table.
#pragma once

#include "classlib/controls/Control.h"

constexpr TCursor crDmHandPoint = 99;

// Registers the hand pointer as cursor 99 with the current screen object, once
// per screen object; does nothing before the application has made one.
void RegisterDmHandCursor();
