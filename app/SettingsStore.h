// The two persisted settings: the motion style in the registry and the clock
// colour in "Zundera.ini" beside the executable. Nothing is cached.
#pragma once

#include "classlib/graphics/Color.h"

#include <string>

// 0 centred, 1 moving; 1 when the key is missing or cannot be read. A key
// without a usable "Style" raises ERegistryException.
int ReadMotionStyle();
// Saves the style; a registry that cannot be written saves nothing, silently.
void WriteMotionStyle(int value);

// The executable's folder (up to and including its last "/") + "Zundera.ini";
// "" when the executable's path is unknown.
std::string SettingsFilePath();
// Section "Skin", key "skin"; 255 (red) when missing or not an integer, or
// when there is no settings file path. Never raises.
TColor ReadClockColor();
// Raises EIniFileException "Unable to write to %s" when the file cannot be
// written; without a settings file path %s is the bare file name.
void WriteClockColor(TColor color);

// Replaces the executable path the settings file is found by (tests, and
// tools that run the forms for another folder); "" restores /proc/self/exe.
void SetExecutablePathOverride(const std::string& executablePath);
// The running executable's full path, or the override; "" when unknown.
std::string ExecutablePath();
