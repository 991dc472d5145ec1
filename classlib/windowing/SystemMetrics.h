// The screen's metrics and work area.
#pragma once

#include "classlib/system/Types.h"

int GetSystemMetrics(int index);
TRect GetWorkAreaRect();
