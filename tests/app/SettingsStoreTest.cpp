#include "app/SettingsStore.h"
#include "classlib/system/AtomicFile.h"
#include "classlib/system/Exceptions.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <optional>
#include <thread>

namespace {

const std::string kKeyLine = "[HKEY_LOCAL_MACHINE\\Software\\Quorvex\\Screensaver]\n";

// Runs body in a child process and returns its exit code (-1 when it did not exit).
template <typename TBody>
int InChild(TBody body)
{
    const pid_t child = fork();
    if (child == 0) _exit(body());
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

} // namespace

class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (const char* old = std::getenv("XDG_CONFIG_HOME")) FSavedConfig = old;
        setenv("XDG_CONFIG_HOME", (FFolder / "config").c_str(), 1);
        std::filesystem::create_directories(FFolder / "bin");
        SetExecutablePathOverride(FFolder / "bin/velmora");
    }
    void TearDown() override
    {
        SetExecutablePathOverride("");
        SetAtomicWriteHook({});
        if (FSavedConfig) setenv("XDG_CONFIG_HOME", FSavedConfig->c_str(), 1);
        else unsetenv("XDG_CONFIG_HOME");
    }
    std::string Hive() const { return FFolder / "config/velmora/HKEY_LOCAL_MACHINE.reg"; }
    std::string Ini() const { return FFolder / "bin/Zundera.ini"; }
    void WriteHive(const std::string& text) const
    {
        std::filesystem::create_directories(FFolder / "config/velmora");
        WriteText(Hive(), text);
    }

    TTempFolder FFolder;
    std::optional<std::string> FSavedConfig;
};

TEST_F(SettingsStoreTest, ReadMotionStyleFromTheHive)
{
    struct Case {
        const char* Name;
        std::optional<std::string> Hive; // empty: no hive file at all
        std::string Expected;            // the style, or the error's message
    };
    const Case cases[] = {
        {"no hive", {}, "1"},
        {"no key", "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Quorvex]\n", "1"},
        {"unparseable hive", "REGEDIT4\n" + kKeyLine + "garbage\n", "1"},
        {"key without Style", "REGEDIT4\n\n" + kKeyLine, "Failed to get data for 'Style'"},
        {"three-character string", "REGEDIT4\n\n" + kKeyLine + "\"Style\"=\"abc\"\n", "Invalid data type for 'Style'"},
        {"four-character string", "REGEDIT4\n\n" + kKeyLine + "\"Style\"=\"abcd\"\n", "Failed to get data for 'Style'"},
        {"short binary", "REGEDIT4\n\n" + kKeyLine + "\"Style\"=hex:01\n", "Invalid data type for 'Style'"},
        {"short dword", "REGEDIT4\n\n" + kKeyLine + "\"Style\"=hex(4):01\n", "1"},
        {"long dword", "REGEDIT4\n\n" + kKeyLine + "\"Style\"=hex(4):01,00,00,00,00\n", "Failed to get data for 'Style'"},
        {"big-endian dword", "REGEDIT4\n\n" + kKeyLine + "\"Style\"=hex(5):00,00,00,01\n", "Invalid data type for 'Style'"},
        {"zero", "REGEDIT4\n\n" + kKeyLine + "\"Style\"=dword:00000000\n", "0"},
        {"two", "REGEDIT4\n\n" + kKeyLine + "\"Style\"=dword:00000002\n", "2"},
        {"other spelling", "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\quorvex\\ScreenSaver]\n\"STYLE\"=dword:0\n", "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        std::filesystem::remove(Hive());
        if (c.Hive) WriteHive(*c.Hive);
        std::string got;
        try {
            got = std::to_string(ReadMotionStyle());
        } catch (const ERegistryException& e) {
            got = e.Message();
        }
        EXPECT_EQ(got, c.Expected);
    }
}

TEST_F(SettingsStoreTest, WriteMotionStyleKeepsTheRestOfTheHive)
{
    WriteMotionStyle(0);
    EXPECT_EQ(ReadText(Hive()), "REGEDIT4\n\n" + kKeyLine + "\"Style\"=dword:00000000\n\n");
    EXPECT_EQ(ReadMotionStyle(), 0);

    WriteHive("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Other]\n\"A\"=\"b\"\n\n" + kKeyLine + "\"Style\"=\"text\"\n\"More\"=dword:7\n");
    WriteMotionStyle(1);
    EXPECT_EQ(ReadText(Hive()),
              "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Other]\n\"A\"=\"b\"\n\n" + kKeyLine +
                  "\"Style\"=dword:00000001\n\"More\"=dword:00000007\n\n");
    EXPECT_EQ(ReadMotionStyle(), 1);
}

TEST_F(SettingsStoreTest, AnUnwritableRegistrySavesNothingSilently)
{
    WriteText(FFolder / "plain", "");
    setenv("XDG_CONFIG_HOME", (FFolder / "plain/config").c_str(), 1);
    EXPECT_NO_THROW(WriteMotionStyle(0));
    EXPECT_EQ(ReadMotionStyle(), 1);

    // A hive we cannot parse is left alone too.
    setenv("XDG_CONFIG_HOME", (FFolder / "config").c_str(), 1);
    WriteHive("not a hive");
    EXPECT_NO_THROW(WriteMotionStyle(0));
    EXPECT_EQ(ReadText(Hive()), "not a hive");
}

TEST_F(SettingsStoreTest, SettingsFileLivesBesideTheExecutable)
{
    EXPECT_EQ(SettingsFilePath(), Ini());
    SetExecutablePathOverride("");
    EXPECT_EQ(SettingsFilePath(), std::filesystem::read_symlink("/proc/self/exe").parent_path().string() + "/Zundera.ini");
}

TEST_F(SettingsStoreTest, ReadClockColorAcceptsWholeIntegersOnly)
{
    struct Case {
        std::optional<std::string> Value; // empty: no settings file
        TColor Expected;
    };
    const Case cases[] = {
        {{}, 255},
        {"0x00FF00", 65280},
        {"$FF0000", 16711680},
        {"red", 255},
        {"-2147483640", TColorOf(0x80000008)},
        {"-1", -1},
        {"12x", 255},
        {"4294967296", 255},
        {"2147483648", 255},
        {"  12  ", 12},
        {"", 255},
        {"\"65280\"", 65280},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Value.value_or("<no file>"));
        std::filesystem::remove(Ini());
        if (c.Value) WriteText(Ini(), "[Skin]\nskin=" + *c.Value + "\n");
        EXPECT_EQ(ReadClockColor(), c.Expected);
    }
}

TEST_F(SettingsStoreTest, WriteClockColorRoundTripsAndKeepsOtherLines)
{
    WriteClockColor(TColorOf(0x80000008));
    EXPECT_EQ(ReadText(Ini()), "[Skin]\nskin=-2147483640\n");
    EXPECT_EQ(ReadClockColor(), TColorOf(0x80000008));

    WriteText(Ini(), "; mine\n[Skin]\nother=1\nSKIN=5\n");
    WriteClockColor(-1);
    EXPECT_EQ(ReadText(Ini()), "; mine\n[Skin]\nother=1\nSKIN=-1\n");
    EXPECT_EQ(ReadClockColor(), -1);
}

TEST_F(SettingsStoreTest, AnUnwritableSettingsFileRaisesAndKeepsTheOldFile)
{
    // The executable's folder is a plain file: nothing can be created in it.
    WriteText(FFolder / "plain", "");
    SetExecutablePathOverride(FFolder / "plain/velmora");
    try {
        WriteClockColor(65280);
        FAIL() << "no exception";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(e.Message(), "Unable to write to " + FFolder / "plain/Zundera.ini");
    }

    // The disk refuses the data (a file-size limit, which binds root as well).
    SetExecutablePathOverride(FFolder / "bin/velmora");
    const std::string old = "[Skin]\nskin=65280\n";
    WriteText(Ini(), old);
    const int code = InChild([&] {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit {8, 8};
        setrlimit(RLIMIT_FSIZE, &limit);
        try {
            WriteClockColor(16711680);
        } catch (const EIniFileException& e) {
            return e.Message() == "Unable to write to " + Ini() ? 3 : 2;
        }
        return 0;
    });
    EXPECT_EQ(code, 3);
    EXPECT_EQ(ReadText(Ini()), old);
    EXPECT_EQ(FolderEntries(FFolder / "bin"), std::vector<std::string>({"Zundera.ini", "Zundera.ini.lock"}));
}

TEST_F(SettingsStoreTest, ACrashDuringAWriteLeavesTheOldOrTheNewValue)
{
    WriteClockColor(65280);
    // The writer dies after writing its temporary file but before renaming it.
    const int code = InChild([] {
        SetAtomicWriteHook([](const std::string&) { _exit(7); });
        WriteClockColor(16711680);
        return 0;
    });
    EXPECT_EQ(code, 7);
    EXPECT_EQ(ReadClockColor(), 65280);
    EXPECT_EQ(ReadText(Ini()), "[Skin]\nskin=65280\n");
    WriteClockColor(255); // the leftover temporary file is in nobody's way
    EXPECT_EQ(ReadClockColor(), 255);

    // Writers killed at arbitrary moments leave one of the two values every time.
    for (int round = 0; round < 5; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (;;) {
                WriteClockColor(1);
                WriteClockColor(2);
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5 + 7 * round));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        const TColor value = ReadClockColor();
        EXPECT_TRUE(value == 1 || value == 2 || value == 255) << value;
        const std::string text = ReadText(Ini());
        EXPECT_TRUE(text == "[Skin]\nskin=1\n" || text == "[Skin]\nskin=2\n" || text == "[Skin]\nskin=255\n") << text;
    }
}
