// Reading and writing the motion style and the clock colour.
#include "app/SettingsStore.h"

#include "classlib/files/IniFiles.h"
#include "classlib/files/Registry.h"
#include "classlib/system/Exceptions.h"
#include "classlib/system/SysUtils.h"


#include <mutex>
#include <vector>

namespace {

constexpr const char* kStyleKey = "Software\\Quorvex\\Screensaver";
constexpr const char* kStyleValue = "Style";
constexpr const char* kSettingsFileName = "Zundera.ini";
constexpr const char* kColorSection = "Skin";
constexpr const char* kColorKey = "skin";
constexpr TColor kDefaultColor = 255;

std::mutex gPathMutex;
std::string gExecutableOverride;

} // namespace

int ReadMotionStyle()
{
    int result = 1;
    TRegistry registry(KEY_READ);
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    if (registry.OpenKey(kStyleKey, false)) result = registry.ReadInteger(kStyleValue);
    return result; // the registry object closes the key, also when the read raised
}

void WriteMotionStyle(int value)
{
    TRegistry registry(KEY_ALL_ACCESS);
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    if (registry.OpenKey(kStyleKey, true)) registry.WriteInteger(kStyleValue, value);
}

void SetExecutablePathOverride(const std::string& executablePath)
{
    std::lock_guard<std::mutex> lock(gPathMutex);
    gExecutableOverride = executablePath;
}

std::string ExecutablePath()
{
    {
        std::lock_guard<std::mutex> lock(gPathMutex);
        if (!gExecutableOverride.empty()) return gExecutableOverride;
    }
    return ExecutableFileName();
}

std::string SettingsFilePath()
{
    // Without the executable's folder there is no settings file: a name
    // alone would be taken from the current directory.
    const std::string folder = ExtractFilePath(ExecutablePath());
    return folder.empty() ? std::string() : folder + kSettingsFileName;
}

TColor ReadClockColor()
{
    const std::string path = SettingsFilePath();
    if (path.empty()) return kDefaultColor;
    const TIniFile ini(path);
    return StrToIntDef(ini.ReadString(kColorSection, kColorKey, ""), kDefaultColor);
}

void WriteClockColor(TColor color)
{
    const std::string path = SettingsFilePath();
    if (path.empty()) throw EIniFileException(std::string("Unable to write to ") + kSettingsFileName);
    TIniFile ini(path);
    ini.WriteString(kColorSection, kColorKey, IntToStr(color));
    ini.UpdateFile();
}
