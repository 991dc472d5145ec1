#include "classlib/files/IniFiles.h"
#include "classlib/system/Exceptions.h"
#include "classlib/system/StringList.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

TEST(IniFileRead, FollowsTheProfileRules)
{
    static const char kGarbage[] = "\x00\xFF\x01[\n=\n]]\n[Skin]\n\x80\x81=\x82\nskin=3\n";
    const std::string longLine(100000, 'x');
    const std::string longValue = std::string(5000, '7');
    struct Case {
        const char* Name;
        std::string Text;
        const char* Section;
        const char* Key;
        std::string Expected; // "DEF": the default came back
    };
    const Case cases[] = {
        {"plain", "[Skin]\nskin=65280\n", "Skin", "skin", "65280"},
        {"case", "[SKIN]\nSKIN=1\n", "skin", "sKiN", "1"},
        {"blanks", "  [ Skin ]  \n \t skin \t =  42 \t \n", " Skin", "skin ", "42"},
        {"first key wins", "[Skin]\nskin=1\nskin=2\n", "Skin", "skin", "1"},
        {"first section wins", "[Skin]\nskin=1\n[skin]\nskin=3\n", "Skin", "skin", "1"},
        {"later duplicate section unseen", "[Skin]\na=1\n[Skin]\nskin=3\n", "Skin", "skin", "DEF"},
        {"comment", "[Skin]\n;skin=1\n  ; skin=2\nskin=3\n", "Skin", "skin", "3"},
        {"inline text is value", "[Skin]\nskin=1 ; red\n", "Skin", "skin", "1 ; red"},
        {"byte-order mark", "\xEF\xBB\xBF[Skin]\nskin=7\n", "Skin", "skin", "7"},
        {"CR only", "[A]\rskin=1\r[Skin]\rskin=8\r", "Skin", "skin", "8"},
        {"CRLF", "[Skin]\r\nskin=9\r\n", "Skin", "skin", "9"},
        {"no final line end", "[Skin]\nskin=10", "Skin", "skin", "10"},
        {"long line", "[Skin]\n" + longLine + "\nskin=5\n" + longLine, "Skin", "skin", "5"},
        {"value cut to 2047", "[Skin]\nskin=" + longValue + "\n", "Skin", "skin", std::string(2047, '7')},
        {"garbage", std::string(kGarbage, sizeof kGarbage - 1), "Skin", "skin", "3"},
        {"quotes removed", "[Skin]\nskin=\"12\"\n", "Skin", "skin", "12"},
        {"lone quote kept", "[Skin]\nskin=\"12\n", "Skin", "skin", "\"12"},
        {"equals in value", "[Skin]\nskin=a=b\n", "Skin", "skin", "a=b"},
        {"empty value", "[Skin]\nskin=\n", "Skin", "skin", ""},
        {"key before any section", "skin=1\n[Skin]\n", "Skin", "skin", "DEF"},
        {"header without bracket", "[Skin\nskin=1\n", "Skin", "skin", "DEF"},
        {"key in other section", "[Skin]\n[Other]\nskin=1\n", "Skin", "skin", "DEF"},
        {"empty file", "", "Skin", "skin", "DEF"},
    };
    TTempFolder folder;
    const std::string path = folder / "Zundera.ini";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        WriteText(path, c.Text);
        const TIniFile ini(path);
        EXPECT_EQ(ini.ReadString(c.Section, c.Key, "DEF"), c.Expected);
        EXPECT_EQ(ini.ValueExists(c.Section, c.Key), c.Expected != "DEF");
    }
}

TEST(IniFileRead, MissingUnreadableOrHugeFilesGiveDefaults)
{
    TTempFolder folder;
    std::filesystem::create_directory(folder / "dir.ini");
    WriteText(folder / "huge.ini", "[Skin]\nskin=1\n" + std::string(17 * 1024 * 1024, ';'));
    for (const std::string& path : {folder / "missing.ini", folder / "dir.ini", folder / "huge.ini"}) {
        const TIniFile ini(path);
        EXPECT_EQ(ini.ReadInteger("Skin", "skin", 255), 255) << path;
        EXPECT_FALSE(ini.SectionExists("Skin")) << path;
    }
}

TEST(IniFileRead, TypedReadsAndSectionListings)
{
    TTempFolder folder;
    const std::string path = folder / "a.ini";
    WriteText(path, "[Skin]\nskin=$FF\nflag=1\nskin=2\nodd=x\n[Other]\n[skin]\nz=1\n");
    const TIniFile ini(path);
    EXPECT_EQ(ini.ReadInteger("Skin", "skin", 0), 255);
    EXPECT_EQ(ini.ReadInteger("Skin", "odd", 9), 9);
    EXPECT_TRUE(ini.ReadBool("Skin", "flag", false));
    EXPECT_TRUE(ini.ReadBool("Skin", "missing", true));
    TStringList list;
    ini.ReadSections(list);
    EXPECT_EQ(list.CommaText(), "Skin,Other");
    ini.ReadSection("SKIN", list);
    EXPECT_EQ(list.CommaText(), "skin,flag,odd");
    ini.ReadSectionValues("Skin", list);
    EXPECT_EQ(list.CommaText(), "skin=$FF,flag=1,odd=x");
}

TEST(IniFileWrite, ChangesOnlyTheLinesItMust)
{
    TTempFolder folder;
    const std::string path = folder / "Zundera.ini";
    WriteText(path,
              "; settings\r\n"
              "[Other]\r\n"
              "key = value ; kept\r\n"
              "\r\n"
              "[Skin]\r\n"
              "  Skin = 1\r\n"
              "extra=2\r\n"
              "\r\n"
              "[Last]\r\n"
              "z=1");
    TIniFile ini(path);
    ini.WriteInteger("skin", "SKIN", 65280);
    ini.WriteString("Skin", "added", "5");
    ini.WriteString("New", "k", "v");
    EXPECT_EQ(ReadText(path),
              "; settings\r\n"
              "[Other]\r\n"
              "key = value ; kept\r\n"
              "\r\n"
              "[Skin]\r\n"
              "Skin=65280\r\n"
              "extra=2\r\n"
              "added=5\r\n"
              "\r\n"
              "[Last]\r\n"
              "z=1\r\n"
              "\r\n"
              "[New]\r\n"
              "k=v\r\n");
    EXPECT_EQ(ini.ReadInteger("Skin", "skin", 0), 65280);

    ini.DeleteKey("Skin", "extra");
    ini.EraseSection("last");
    EXPECT_EQ(ReadText(path),
              "; settings\r\n"
              "[Other]\r\n"
              "key = value ; kept\r\n"
              "\r\n"
              "[Skin]\r\n"
              "Skin=65280\r\n"
              "added=5\r\n"
              "\r\n"
              "[New]\r\n"
              "k=v\r\n");
}

TEST(IniFileWrite, CreatesTheFileAndKeepsItsByteOrderMark)
{
    TTempFolder folder;
    TIniFile fresh(folder / "new.ini");
    fresh.WriteInteger("Skin", "skin", -2147483640);
    EXPECT_EQ(ReadText(folder / "new.ini"), "[Skin]\nskin=-2147483640\n");

    WriteText(folder / "bom.ini", "\xEF\xBB\xBF[Skin]\rskin=1\r");
    TIniFile bom(folder / "bom.ini");
    bom.WriteInteger("Skin", "skin", 2);
    EXPECT_EQ(ReadText(folder / "bom.ini"), "\xEF\xBB\xBF[Skin]\rskin=2\r");
}

TEST(IniFileWrite, ReadsAndKeepsUtf16)
{
    // UTF-16 LE with its mark, as the platform's editors save it: a comment
    // with "é", a character beyond the 16-bit range and a unit that is half
    // of no pair, all of which must survive a write unchanged.
    const auto utf16 = [](const std::u16string& text) {
        std::string bytes = "\xFF\xFE";
        for (const char16_t unit : text) {
            bytes.push_back(static_cast<char>(unit & 0xFF));
            bytes.push_back(static_cast<char>(unit >> 8));
        }
        return bytes;
    };
    TTempFolder folder;
    const std::string path = folder / "Zundera.ini";
    const std::u16string comment = u"; caf\u00E9 \U0001F600 \xD800!\r\n";
    WriteText(path, utf16(comment + u"[Skin]\r\nskin=65280\r\n"));
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadInteger("Skin", "skin", 255), 65280);
    ini.WriteInteger("Skin", "skin", 16711680);
    ini.WriteString("Skin", "name", "cr\xC3\xA8me");
    EXPECT_EQ(ReadText(path), utf16(comment + u"[Skin]\r\nskin=16711680\r\nname=cr\u00E8me\r\n"));
    EXPECT_EQ(ini.ReadString("skin", "NAME", ""), "cr\xC3\xA8me");

    // Text UTF-16 cannot carry is refused, and so is a file cut in half a unit.
    EXPECT_THROW(ini.WriteString("Skin", "name", "\xFF"), EIniFileException);
    const std::string odd = utf16(u"[Skin]\r\nskin=1\r\n") + "x";
    WriteText(path, odd);
    EXPECT_EQ(ini.ReadInteger("Skin", "skin", 255), 255);
    EXPECT_THROW(ini.WriteInteger("Skin", "skin", 2), EIniFileException);
    EXPECT_EQ(ReadText(path), odd);
}

TEST(IniFileWrite, RefusesWhatWouldBreakTheFile)
{
    TTempFolder folder;
    const std::string path = folder / "a.ini";
    const std::string before = "[Skin]\nskin=1\n";
    WriteText(path, before);
    TIniFile ini(path);
    const auto message = [](auto call) {
        try {
            call();
        } catch (const EIniFileException& e) {
            return e.Message();
        }
        return std::string("no exception");
    };
    const std::string expected = "Unable to write to " + path;
    EXPECT_EQ(message([&] { ini.WriteString("Skin", "skin", "1\n[Evil]"); }), expected);
    EXPECT_EQ(message([&] { ini.WriteString("Sk]in", "skin", "1"); }), expected);
    EXPECT_EQ(message([&] { ini.WriteString("Skin", "a=b", "1"); }), expected);
    EXPECT_EQ(message([&] { ini.WriteString("Skin", ";skin", "1"); }), expected);
    EXPECT_EQ(message([&] { ini.WriteString("", "skin", "1"); }), expected);
    EXPECT_EQ(ReadText(path), before);

    // An existing file that cannot be read is not replaced by a new one.
    std::filesystem::create_directory(folder / "dir.ini");
    TIniFile dir(folder / "dir.ini");
    EXPECT_EQ(message([&] { dir.WriteString("Skin", "skin", "1"); }), "Unable to write to " + folder / "dir.ini");
    EXPECT_TRUE(std::filesystem::is_directory(folder / "dir.ini"));
}

TEST(IniFileWrite, ConcurrentWritersLoseNoUpdate)
{
    TTempFolder folder;
    const std::string path = folder / "shared.ini";
    constexpr int kWriters = 3;
    constexpr int kKeys = 25;
    std::vector<pid_t> children;
    for (int w = 0; w < kWriters; ++w) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            int code = 0;
            try {
                TIniFile ini(path);
                for (int k = 0; k < kKeys; ++k) ini.WriteInteger("W" + std::to_string(w), "k" + std::to_string(k), k);
            } catch (...) {
                code = 1;
            }
            _exit(code);
        }
        children.push_back(child);
    }
    for (const pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const TIniFile ini(path);
    for (int w = 0; w < kWriters; ++w)
        for (int k = 0; k < kKeys; ++k)
            EXPECT_EQ(ini.ReadInteger("W" + std::to_string(w), "k" + std::to_string(k), -1), k) << w << "/" << k;
}
