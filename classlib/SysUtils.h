// Text and number conversion.
#pragma once

#include <string>

// Converts the whole text to a 32-bit integer; raises EConvertError
// "'%s' is not a valid integer value" when it is not one.
int StrToInt(const std::string& text);
