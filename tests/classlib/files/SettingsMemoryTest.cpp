// A read of one setting holds the file's text once and nothing per line: a
// file of a million blank lines, or of one long line, costs its own size.
// This test binary counts every allocation and the bytes in use.
#include "classlib/files/IniFiles.h"
#include "classlib/files/Registry.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "tests/support/CountingAllocator.h"

namespace {

constexpr size_t kFileBytes = 1 << 20;
// The file once, and room for the rest of a read.
constexpr long kAllowedPeak = kFileBytes + kFileBytes / 4;

template <typename TRead>
long PeakBytesOf(TRead read)
{
    const long inUse = CountingAllocator::BytesInUse();
    CountingAllocator::ResetPeak();
    read();
    return CountingAllocator::PeakBytesSinceReset(inUse);
}

} // namespace

TEST(SettingsMemory, ReadingAValueHoldsTheFileOnce)
{
    TTempFolder folder;
    const std::string iniTail = "[Skin]\nskin=65280\n";
    const std::string hiveHead = "REGEDIT4\n";
    const std::string hiveTail = "[HKEY_LOCAL_MACHINE\\Software\\Quorvex\\Screensaver]\n\"Style\"=dword:00000000\n";
    struct Case {
        const char* Name;
        std::string Ini;
        std::string Hive;
    };
    const Case cases[] = {
        {"blank lines", std::string(kFileBytes - iniTail.size(), '\n') + iniTail,
         hiveHead + std::string(kFileBytes - hiveHead.size() - hiveTail.size(), '\n') + hiveTail},
        {"CR line ends", std::string(kFileBytes - iniTail.size(), '\r') + iniTail,
         hiveHead + std::string(kFileBytes - hiveHead.size() - hiveTail.size(), '\r') + hiveTail},
        {"one long line", std::string(kFileBytes - iniTail.size() - 1, 'x') + "\n" + iniTail,
         hiveHead + ";" + std::string(kFileBytes - hiveHead.size() - hiveTail.size() - 2, 'x') + "\n" + hiveTail},
    };
    std::optional<std::string> savedConfig;
    if (const char* old = std::getenv("XDG_CONFIG_HOME")) savedConfig = old;
    setenv("XDG_CONFIG_HOME", folder.Path().c_str(), 1);
    std::filesystem::create_directories(folder / "velmora");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        WriteText(folder / "Zundera.ini", c.Ini);
        WriteText(folder / "velmora/HKEY_LOCAL_MACHINE.reg", c.Hive);
        const TIniFile ini(folder / "Zundera.ini");
        int color = 0;
        EXPECT_LE(PeakBytesOf([&] { color = ini.ReadInteger("Skin", "skin", 255); }), kAllowedPeak);
        EXPECT_EQ(color, 65280);
        int style = -1;
        EXPECT_LE(PeakBytesOf([&] {
                      TRegistry registry(KEY_READ);
                      registry.SetRootKey(HKEY_LOCAL_MACHINE);
                      if (registry.OpenKey("Software\\Quorvex\\Screensaver", false)) style = registry.ReadInteger("Style");
                  }),
                  kAllowedPeak);
        EXPECT_EQ(style, 0);
    }
    if (savedConfig) setenv("XDG_CONFIG_HOME", savedConfig->c_str(), 1);
    else unsetenv("XDG_CONFIG_HOME");
}
