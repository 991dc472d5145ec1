#include "classlib/files/Registry.h"
#include "classlib/files/RegistryHive.h"
#include "classlib/files/TextEncoding.h"
#include "classlib/system/Exceptions.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

namespace {

std::vector<uint8_t> Bytes(std::string_view s)
{
    return std::vector<uint8_t>(s.begin(), s.end());
}

// The value FindValue gives, as "type:data" with the data's bytes, or "none".
std::string Found(const TRegistryHive& hive, std::string_view key, std::string_view name)
{
    TRegistryValue value;
    if (!hive.FindValue(key, name, value)) return "none";
    return std::to_string(value.Type) + ":" + std::string(value.Data.begin(), value.Data.end());
}

const std::string kKey = "[HKEY_LOCAL_MACHINE\\Software\\Quorvex\\Screensaver]";

} // namespace

TEST(RegistryHive, ReadsTheRegeditText)
{
    const std::string text =
        "\xEF\xBB\xBFREGEDIT4\r\n"
        "\r\n"
        "; a comment\r\n"
        "[hkey_local_machine\\Software\\Quorvex\\Screensaver]\r\n"
        "\"Style\" = dword:1\r\n"
        "\"Path\"=\"C:\\\\x \\\"q\\\"\"\r\n"
        "@=\"unnamed\"\r\n"
        "\"Blob\"=hex:01,FF, 0a,\\\r\n"
        "  02\r\n"
        "\"Multi\"=hex(7):61,00,00\r\n"
        "\"Empty\"=hex:\r\n"
        "\r\n"
        "[HKEY_LOCAL_MACHINE]\r\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Quorvex\\SCREENSAVER]\r\n"
        "\"style\"=dword:00000002\r\n";
    TRegistryHive hive("HKEY_LOCAL_MACHINE");
    ASSERT_TRUE(hive.Parse(text));
    EXPECT_EQ(hive.Text(), text); // nothing changed, nothing rewritten
    const std::string key = "SOFTWARE\\quorvex\\screensaver";
    EXPECT_EQ(Found(hive, key, "STYLE"), "4:" + std::string("\x02\0\0\0", 4)); // the later line wins
    EXPECT_EQ(Found(hive, key, "path"), "1:" + std::string("C:\\x \"q\"\0", 9));
    EXPECT_EQ(Found(hive, key, ""), "1:" + std::string("unnamed\0", 8));
    EXPECT_EQ(Found(hive, key, "Blob"), "3:\x01\xFF\x0A\x02");
    EXPECT_EQ(Found(hive, key, "Multi"), "7:" + std::string("a\0\0", 3));
    EXPECT_EQ(Found(hive, key, "Empty"), "3:");
    EXPECT_EQ(Found(hive, key, "missing"), "none");
    std::string spelled;
    ASSERT_TRUE(hive.StoredKeyPath(key, spelled));
    EXPECT_EQ(spelled, "Software\\Quorvex\\Screensaver");
    EXPECT_TRUE(hive.KeyExists("Software\\Quorvex"));
    EXPECT_FALSE(hive.KeyExists("Software\\Quor"));
    EXPECT_FALSE(hive.StoredKeyPath("Software\\Quorvex", spelled));

    const std::vector<TRegistryKey> keys = hive.Keys();
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0].Path, "Software\\Quorvex\\Screensaver");
    EXPECT_EQ(keys[0].Values.size(), 6u);
    EXPECT_EQ(keys[1].Path, "");
}

TEST(RegistryHive, EditsChangeOnlyTheirOwnLines)
{
    const std::string before = "REGEDIT4\r\n"
                               "\r\n"
                               "; kept\r\n"
                               + kKey + "\r\n"
                               "\"Style\"  =  dword:1\r\n"
                               "\"Odd\"=what is this\r\n"
                               "\"Gone\"=\"x\"\r\n"
                               "\r\n"
                               "[HKEY_LOCAL_MACHINE\\Other]\r\n"
                               "\"Gone\"=\"kept, another key\"";
    TRegistryHive hive("HKEY_LOCAL_MACHINE");
    ASSERT_TRUE(hive.Parse(before));
    const std::string key = "Software\\Quorvex\\Screensaver";
    ASSERT_TRUE(hive.SetValue(key, "STYLE", REG_DWORD, {0, 0, 0, 0}));
    ASSERT_TRUE(hive.SetValue(key, "New", REG_SZ, Bytes(std::string("v\0", 2))));
    EXPECT_TRUE(hive.DeleteValue(key, "gone"));
    EXPECT_FALSE(hive.DeleteValue(key, "gone"));
    ASSERT_TRUE(hive.SetValue("Other", "Tail", REG_DWORD, {1, 0, 0, 0})); // after a last line without line end
    hive.CreateKey("Other");                                                // there: nothing added
    hive.CreateKey("Fresh");
    EXPECT_EQ(hive.Text(), "REGEDIT4\r\n"
                           "\r\n"
                           "; kept\r\n"
                           + kKey + "\r\n"
                           "\"Style\"=dword:00000000\r\n"
                           "\"Odd\"=what is this\r\n"
                           "\"New\"=\"v\"\r\n"
                           "\r\n"
                           "[HKEY_LOCAL_MACHINE\\Other]\r\n"
                           "\"Gone\"=\"kept, another key\"\r\n"
                           "\"Tail\"=dword:00000001\r\n"
                           "\r\n"
                           "[HKEY_LOCAL_MACHINE\\Fresh]\r\n"
                           "\r\n");

    // Data a quoted line cannot carry goes out as hex and comes back
    // unchanged; long hex lists are wrapped with the file's line end.
    ASSERT_TRUE(hive.SetValue("Other", "Lines", REG_SZ, {'a', '\n', 'b', 0}));
    ASSERT_TRUE(hive.SetValue("Other", "Short", REG_DWORD, {1, 2}));
    ASSERT_TRUE(hive.SetValue("Other", "Long", REG_BINARY, std::vector<uint8_t>(60, 0xAB)));
    EXPECT_NE(hive.Text().find("ab,\\\r\n  ab"), std::string::npos);
    TRegistryHive again("HKEY_LOCAL_MACHINE");
    ASSERT_TRUE(again.Parse(hive.Text()));
    EXPECT_EQ(again.Keys(), hive.Keys());
    EXPECT_EQ(Found(again, "other", "lines"), "1:a\nb" + std::string(1, '\0'));
    EXPECT_EQ(Found(again, "other", "short"), "4:\x01\x02");
    EXPECT_EQ(Found(again, "other", "long"), "3:" + std::string(60, '\xAB'));
}

TEST(RegistryHive, ALineItCannotReadHidesNothingElse)
{
    // Each line below is read as nothing: put into an unrelated key, and
    // (unless it is a key line) under another name into ours, it leaves
    // "Style" readable, and a write of "Style" keeps it as it is.
    const char* unreadable[] = {
        "\"S\"=dword:123456789",
        "\"S\"=dword:",
        "\"S\"=dword:xyz",
        "\"S\"=\"open",
        "\"S\"=\"bad \\n escape\"",
        "\"S\"=\"x\" trailing",
        "\"S\"=hex:1,2,345",
        "\"S\"=hex(zz):01",
        "\"S\"=-",
        "S=dword:1",
        "\"S\" dword:1",
        "\x01\x02\xFF garbage",
        "[HKEY_LOCAL_MACHINE\\A\\\\B]",
        "[HKEY_LOCAL_MACHINE\\A",
        "[-HKEY_LOCAL_MACHINE\\A]",
    };
    const std::string key = "Software\\Quorvex\\Screensaver";
    for (const char* bad : unreadable) {
        SCOPED_TRACE(bad);
        for (const bool inOurKey : {false, true}) {
            if (inOurKey && bad[0] == '[') continue;
            const std::string text = inOurKey ? "REGEDIT4\n\n" + kKey + "\n" + bad + "\n\"Style\"=dword:00000000\n"
                                              : "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Other]\n" + std::string(bad) +
                                                    "\n\n" + kKey + "\n\"Style\"=dword:00000000\n";
            TRegistryHive hive("HKEY_LOCAL_MACHINE");
            ASSERT_TRUE(hive.Parse(text));
            EXPECT_EQ(Found(hive, key, "Style"), "4:" + std::string(4, '\0'));
            ASSERT_TRUE(hive.SetValue(key, "Style", REG_DWORD, {1, 0, 0, 0}));
            std::string expected = text;
            expected.replace(expected.find("dword:00000000"), 14, "dword:00000001");
            EXPECT_EQ(hive.Text(), expected);
        }
    }

    // Values below a key line that cannot be read belong to no key: not to
    // the key above it, and not to the root.
    TRegistryHive hive("HKEY_LOCAL_MACHINE");
    ASSERT_TRUE(hive.Parse("REGEDIT4\n" + kKey + "\n\"Style\"=dword:1\n[HKEY_CURRENT_USER\\" + key +
                           "]\n\"Style\"=dword:2\n\"Other\"=dword:3\n"));
    EXPECT_EQ(Found(hive, key, "Style"), "4:" + std::string("\x01\0\0\0", 4));
    EXPECT_EQ(Found(hive, key, "Other"), "none");
    ASSERT_TRUE(hive.SetValue(key, "Added", REG_DWORD, {4, 0, 0, 0}));
    EXPECT_EQ(hive.Text(), "REGEDIT4\n" + kKey + "\n\"Style\"=dword:1\n\"Added\"=dword:00000004\n[HKEY_CURRENT_USER\\" +
                               key + "]\n\"Style\"=dword:2\n\"Other\"=dword:3\n");
}

TEST(RegistryHive, TextThatIsNoHiveIsRefused)
{
    const char* bad[] = {
        "REGEDIT5\n",
        "[HKEY_LOCAL_MACHINE\\A]\n", // no header
        "Windows Registry Editor Version 5.01\n",
        "\x01\x02\xFF garbage",
    };
    for (const char* text : bad) {
        TRegistryHive hive("HKEY_LOCAL_MACHINE");
        EXPECT_FALSE(hive.Parse(text)) << text;
        EXPECT_TRUE(hive.Keys().empty());
    }
    TRegistryHive empty("HKEY_LOCAL_MACHINE");
    EXPECT_TRUE(empty.Parse(" \n\n"));
    empty.CreateKey("A");
    EXPECT_EQ(empty.Text(), "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\A]\n\n");
}

TEST(RegistryHive, TheNewerFormatHoldsTextValuesAsUtf16)
{
    // "Path" as REG_EXPAND_SZ "%A%": UTF-16 LE units in the newer format.
    const std::string text = "Windows Registry Editor Version 5.00\r\n\r\n" + kKey +
                             "\r\n\"Style\"=dword:00000000\r\n\"Path\"=hex(2):25,00,41,00,25,00,00,00\r\n"
                             "\"Odd\"=hex(2):25,00,41\r\n";
    TRegistryHive hive("HKEY_LOCAL_MACHINE");
    ASSERT_TRUE(hive.Parse(text));
    const std::string key = "Software\\Quorvex\\Screensaver";
    EXPECT_EQ(Found(hive, key, "Style"), "4:" + std::string(4, '\0'));
    EXPECT_EQ(Found(hive, key, "Path"), "2:%A%" + std::string(1, '\0'));
    EXPECT_EQ(Found(hive, key, "Odd"), "none"); // half a unit
    ASSERT_TRUE(hive.SetValue(key, "Path", REG_EXPAND_SZ, Bytes(std::string("\xC3\xA9\0", 3))));
    EXPECT_NE(hive.Text().find("\"Path\"=hex(2):e9,00,00,00\r\n"), std::string::npos) << hive.Text();
    EXPECT_EQ(hive.Text().rfind("Windows Registry Editor Version 5.00\r\n", 0), 0u);
    EXPECT_FALSE(hive.SetValue(key, "Path", REG_EXPAND_SZ, Bytes("\xFF"))); // no UTF-8: not written
    EXPECT_EQ(Found(hive, key, "Path"), "2:\xC3\xA9" + std::string(1, '\0'));
}

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (const char* old = std::getenv("XDG_CONFIG_HOME")) FSavedConfig = old;
        setenv("XDG_CONFIG_HOME", FFolder.Path().c_str(), 1);
    }
    void TearDown() override
    {
        if (FSavedConfig) setenv("XDG_CONFIG_HOME", FSavedConfig->c_str(), 1);
        else unsetenv("XDG_CONFIG_HOME");
    }
    std::string Hive() const { return FFolder / "velmora/HKEY_LOCAL_MACHINE.reg"; }

    TTempFolder FFolder;
    std::optional<std::string> FSavedConfig;
};

TEST_F(RegistryTest, CreatesKeysAndKeepsTheRestOfTheHive)
{
    EXPECT_EQ(TRegistry::HiveFileName(HKEY_LOCAL_MACHINE), Hive());
    EXPECT_EQ(TRegistry::HiveFileName(HKEY_CURRENT_USER), FFolder / "velmora/HKEY_CURRENT_USER.reg");
    std::filesystem::create_directories(FFolder / "velmora");
    WriteText(Hive(), "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Other]\n\"Keep\"=\"me\"\n");

    TRegistry registry;
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(registry.OpenKey("Software\\Quorvex\\Screensaver", false));
    ASSERT_TRUE(registry.OpenKey("Software\\Quorvex\\Screensaver", true));
    EXPECT_EQ(ReadText(Hive()),
              "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Other]\n\"Keep\"=\"me\"\n\n"
              "[HKEY_LOCAL_MACHINE\\Software\\Quorvex\\Screensaver]\n\n");
    registry.WriteInteger("Style", 1);
    registry.WriteString("Name", "a \"b\"");
    registry.WriteInteger("STYLE", -2);
    EXPECT_EQ(ReadText(Hive()),
              "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Other]\n\"Keep\"=\"me\"\n\n"
              "[HKEY_LOCAL_MACHINE\\Software\\Quorvex\\Screensaver]\n"
              "\"Style\"=dword:fffffffe\n\"Name\"=\"a \\\"b\\\"\"\n\n");
    EXPECT_EQ(registry.ReadInteger("style"), -2);
    EXPECT_EQ(registry.ReadString("name"), "a \"b\"");
    EXPECT_EQ(registry.ReadString("missing"), "");
    EXPECT_EQ(registry.GetDataType("Style"), rdInteger);
    EXPECT_EQ(registry.GetDataSize("Name"), 6); // with its terminating zero
    EXPECT_EQ(registry.GetDataSize("missing"), -1);
    EXPECT_TRUE(registry.KeyExists("\\SOFTWARE\\quorvex"));
    EXPECT_TRUE(registry.DeleteValue("name"));
    EXPECT_FALSE(registry.ValueExists("Name"));
    EXPECT_FALSE(registry.DeleteValue("name"));

    // Relative paths continue from the open key.
    ASSERT_TRUE(registry.OpenKey("Sub", true));
    EXPECT_EQ(registry.CurrentPath(), "Software\\Quorvex\\Screensaver\\Sub");

    TRegistry reader(KEY_READ);
    reader.SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reader.OpenKeyReadOnly("Software\\Other"));
    EXPECT_EQ(reader.ReadString("Keep"), "me");
    try {
        reader.WriteString("Keep", "changed");
        FAIL() << "no exception";
    } catch (const ERegistryException& e) {
        EXPECT_EQ(e.Message(), "Failed to set data for 'Keep'");
    }
    EXPECT_THROW(reader.WriteString("Bad\nName", "x"), ERegistryException);
    EXPECT_EQ(reader.ReadString("Keep"), "me");
}

TEST_F(RegistryTest, UnreadableOrUnwritableHivesOpenNothing)
{
    std::filesystem::create_directories(FFolder / "velmora");
    const std::string foreign = "[HKEY_LOCAL_MACHINE\\Software\\Quorvex\\Screensaver]\n\"Style\"=dword:0\n";
    WriteText(Hive(), foreign); // no header: not a hive
    TRegistry registry;
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(registry.OpenKeyReadOnly("Software\\Quorvex\\Screensaver"));
    EXPECT_FALSE(registry.OpenKey("Software\\Quorvex\\Screensaver", true));
    EXPECT_EQ(ReadText(Hive()), foreign); // never rewritten

    // A configuration folder below a plain file cannot be created, even by root.
    WriteText(FFolder / "file", "");
    setenv("XDG_CONFIG_HOME", (FFolder / "file").c_str(), 1);
    EXPECT_FALSE(registry.OpenKey("Software\\Quorvex\\Screensaver", true));
    EXPECT_FALSE(registry.OpenKey("Software", false));
    EXPECT_FALSE(registry.KeyExists("Software"));
}

TEST_F(RegistryTest, ReadsAndKeepsTheEncodingOfAnExportedHive)
{
    // As the platform's registry editor exports it: the newer header, CRLF,
    // and UTF-16 LE with its byte-order mark (or the same text in UTF-8).
    const std::string exported = "Windows Registry Editor Version 5.00\r\n\r\n"
                                 "[HKEY_LOCAL_MACHINE\\Software\\Quorvex\\Screensaver]\r\n"
                                 "\"Style\"=dword:00000000\r\n"
                                 "\"Caf\xC3\xA9\"=\"cr\xC3\xA8me\"\r\n";
    std::string utf16;
    ASSERT_TRUE(EncodeText(exported, TTextEncoding::Utf16LE, utf16));
    ASSERT_EQ(utf16.substr(0, 4), std::string("\xFF\xFEW\0", 4));
    std::filesystem::create_directories(FFolder / "velmora");
    for (const std::string& file : {utf16, exported, "\xEF\xBB\xBF" + exported}) {
        SCOPED_TRACE(file.substr(0, 3));
        WriteText(Hive(), file);
        TRegistry registry;
        registry.SetRootKey(HKEY_LOCAL_MACHINE);
        ASSERT_TRUE(registry.OpenKey("Software\\Quorvex\\Screensaver", false));
        EXPECT_EQ(registry.ReadInteger("Style"), 0);
        EXPECT_EQ(registry.ReadString("caf\xC3\xA9"), "cr\xC3\xA8me");
        registry.WriteInteger("Style", 1);
        std::string expected;
        std::string changed = exported;
        changed.replace(changed.find("dword:00000000"), 14, "dword:00000001");
        ASSERT_TRUE(EncodeText(changed,
                               file == utf16 ? TTextEncoding::Utf16LE
                               : file == exported ? TTextEncoding::Utf8 : TTextEncoding::Utf8WithMark,
                               expected));
        EXPECT_EQ(ReadText(Hive()), expected);
    }
}
