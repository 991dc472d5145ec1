// The standard error box.
#pragma once

#include <string>

// The standard error box's text for a message: "." appended when the message
// is not empty and its last character sorts after ".".
std::string ErrorBoxText(const std::string& message);
