#include "app/SettingsStore.h"
#include "classlib/system/AtomicFile.h"
#include "classlib/system/Exceptions.h"
#include "tests/support/OtherUser.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
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
        {"no header", kKeyLine + "\"Style\"=dword:0\n", "1"},
        {"only a line it cannot read", "REGEDIT4\n" + kKeyLine + "garbage\n", "Failed to get data for 'Style'"},
        {"malformed Style", "REGEDIT4\n" + kKeyLine + "\"Style\"=dword:zero\n", "Failed to get data for 'Style'"},
        {"malformed value of another key",
         "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Other]\n\"Bad\"=hex:1,2,345\n\n" + kKeyLine + "\"Style\"=dword:00000000\n",
         "0"},
        {"malformed value of another name", "REGEDIT4\n" + kKeyLine + "\"Bad\"=\"open\n\"Style\"=dword:00000000\n", "0"},
        {"newer header", "Windows Registry Editor Version 5.00\r\n\r\n" + kKeyLine + "\"Style\"=dword:00000000\r\n", "0"},
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
                  "\"Style\"=dword:00000001\n\"More\"=dword:7\n");
    EXPECT_EQ(ReadMotionStyle(), 1);

    // A line that cannot be read, in another key or in ours, and comments
    // stay as they are; the style is written all the same.
    const std::string withBadLines = "REGEDIT4\n; mine\n[HKEY_LOCAL_MACHINE\\Other]\n\"Bad\"=hex:1,2,345\n\n" + kKeyLine +
                                     "\"Style\"=dword:zero\n";
    WriteHive(withBadLines);
    WriteMotionStyle(0);
    EXPECT_EQ(ReadText(Hive()), withBadLines + "\"Style\"=dword:00000000\n");
    EXPECT_EQ(ReadMotionStyle(), 0);
    WriteMotionStyle(1);
    EXPECT_EQ(ReadText(Hive()), withBadLines + "\"Style\"=dword:00000001\n");
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
    EXPECT_EQ(FolderEntries(FFolder / "bin"), std::vector<std::string>({"Zundera.ini"}));
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
    // The next write removes the killed writer's temporary file, and only that.
    ASSERT_EQ(FolderEntries(FFolder / "bin").size(), 2u);
    const std::vector<std::string> others = {".Zundera.ini.12345", ".Zundera.ini.abcdef.x", ".other.ini.abcdef",
                                             "Zundera.ini.abcdef"};
    for (const std::string& name : others) WriteText(FFolder / ("bin/" + name), "not ours");
    ASSERT_EQ(symlink("Zundera.ini", (FFolder / "bin/.Zundera.ini.Zz09Yy").c_str()), 0);
    WriteClockColor(255);
    EXPECT_EQ(ReadClockColor(), 255);
    std::vector<std::string> expected = others;
    expected.push_back(".Zundera.ini.Zz09Yy");
    expected.push_back("Zundera.ini");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(FolderEntries(FFolder / "bin"), expected);
    for (const std::string& name : others) std::filesystem::remove(FFolder / ("bin/" + name));
    std::filesystem::remove(FFolder / "bin/.Zundera.ini.Zz09Yy");

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

TEST_F(SettingsStoreTest, NoExecutablePathMeansNoSettingsFile)
{
    // A settings file in the current directory must play no part.
    std::filesystem::create_directories(FFolder / "cwd");
    WriteText(FFolder / "cwd/Zundera.ini", "[Skin]\nskin=65280\n");
    const auto check = [&] {
        if (!SettingsFilePath().empty()) return 2;
        if (ReadClockColor() != 255) return 3;
        try {
            WriteClockColor(16711680);
            return 4;
        } catch (const EIniFileException& e) {
            if (e.Message() != "Unable to write to Zundera.ini") return 5;
        }
        if (ReadText(FFolder / "cwd/Zundera.ini") != "[Skin]\nskin=65280\n") return 6;
        return FolderEntries(FFolder / "cwd") == std::vector<std::string>({"Zundera.ini"}) ? 0 : 7;
    };
    const int pathless = InChild([&] {
        if (chdir((FFolder / "cwd").c_str()) != 0) return 1;
        SetExecutablePathOverride("velmora"); // a name without a folder
        return check();
    });
    EXPECT_EQ(pathless, 0);

    // The executable's path cannot be found at all: /proc is hidden by an
    // empty file system in a mount namespace of the child's own.
    const int noProc = InChild([&] {
        if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount("none", "/proc", "tmpfs", 0, nullptr) != 0)
            return 99;
        if (chdir((FFolder / "cwd").c_str()) != 0) return 1;
        SetExecutablePathOverride("");
        if (!ExecutablePath().empty()) return 8;
        return check();
    });
    if (noProc == 99) GTEST_SKIP() << "no mount namespace here for hiding /proc";
    EXPECT_EQ(noProc, 0);
}

TEST_F(SettingsStoreTest, WritesNeitherFollowNorNeedALockFile)
{
    // A link planted where the old lock file lay is not followed: nothing is
    // created where it points.
    ASSERT_EQ(symlink((FFolder / "victim").c_str(), (FFolder / "bin/Zundera.ini.lock").c_str()), 0);
    WriteClockColor(65280);
    EXPECT_EQ(ReadClockColor(), 65280);
    EXPECT_FALSE(std::filesystem::exists(FFolder / "victim"));
    std::filesystem::remove(FFolder / "bin/Zundera.ini.lock");

    if (!CanActAsAnotherUser()) GTEST_SKIP() << "a lock file of another user needs root to be made";
    // A lock file another user left, which this user may not open, is in nobody's way.
    ASSERT_EQ(chmod(FFolder.Path().c_str(), 0755), 0);
    ASSERT_EQ(chmod((FFolder / "bin").c_str(), 0777), 0);
    ASSERT_EQ(chmod(Ini().c_str(), 0666), 0);
    WriteText(FFolder / "bin/Zundera.ini.lock", "");
    ASSERT_EQ(chmod((FFolder / "bin/Zundera.ini.lock").c_str(), 0600), 0);
    const int code = AsAnotherUser([] {
        try {
            WriteClockColor(16711680);
        } catch (const Exception&) {
            return 2;
        }
        return ReadClockColor() == 16711680 ? 0 : 3;
    });
    EXPECT_EQ(code, 0);
}

TEST_F(SettingsStoreTest, AWritableFileInAFolderThatRefusesNewFilesIsRewrittenInPlace)
{
    const std::string old = "; mine\n[Skin]\nskin=255\n[Other]\nlast=1\n";
    WriteText(Ini(), old);
    ASSERT_EQ(chmod(FFolder.Path().c_str(), 0755), 0);
    ASSERT_EQ(chmod(Ini().c_str(), 0666), 0);
    ASSERT_EQ(chmod((FFolder / "bin").c_str(), 0555), 0);
    struct stat before {};
    ASSERT_EQ(stat(Ini().c_str(), &before), 0);
    // Longer, then shorter than the file: both rewrite it through its own inode.
    const int code = AsAnotherUser([] {
        try {
            WriteClockColor(-2147483640);
            if (ReadClockColor() != TColorOf(0x80000008)) return 3;
            WriteClockColor(1);
        } catch (const Exception&) {
            return 2;
        }
        return ReadClockColor() == 1 ? 0 : 4;
    });
    ASSERT_EQ(chmod((FFolder / "bin").c_str(), 0755), 0);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(ReadText(Ini()), "; mine\n[Skin]\nskin=1\n[Other]\nlast=1\n");
    struct stat after {};
    ASSERT_EQ(stat(Ini().c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(FolderEntries(FFolder / "bin"), std::vector<std::string>({"Zundera.ini"}));
}
