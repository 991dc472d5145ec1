#include "classlib/files/Registry.h"
#include "classlib/files/RegistryHive.h"
#include "classlib/system/Exceptions.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

TEST(RegistryHive, ParsesAndWritesTheRegeditText)
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
    const std::string canonical =
        "REGEDIT4\n"
        "\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Quorvex\\Screensaver]\n"
        "\"Style\"=dword:00000002\n"
        "\"Path\"=\"C:\\\\x \\\"q\\\"\"\n"
        "@=\"unnamed\"\n"
        "\"Blob\"=hex:01,ff,0a,02\n"
        "\"Multi\"=hex(7):61,00,00\n"
        "\"Empty\"=hex:\n"
        "\n"
        "[HKEY_LOCAL_MACHINE]\n"
        "\n";
    EXPECT_EQ(hive.Text(), canonical);
    const TRegistryKey* key = hive.FindKey("SOFTWARE\\quorvex\\screensaver");
    ASSERT_NE(key, nullptr);
    const TRegistryValue* path = TRegistryHive::FindValue(*key, "path");
    ASSERT_NE(path, nullptr);
    EXPECT_EQ(path->Type, REG_SZ);
    EXPECT_EQ(std::string(path->Data.begin(), path->Data.end()), std::string("C:\\x \"q\"\0", 9));
    EXPECT_TRUE(hive.KeyExists("Software\\Quorvex"));
    EXPECT_FALSE(hive.KeyExists("Software\\Quor"));

    // Data a quoted line cannot carry goes out as hex and comes back unchanged;
    // long hex lists are wrapped.
    TRegistryKey& other = hive.CreateKey("Other");
    TRegistryHive::SetValue(other, "Lines", REG_SZ, {'a', '\n', 'b', 0});
    TRegistryHive::SetValue(other, "Short", REG_DWORD, {1, 2});
    TRegistryHive::SetValue(other, "Long", REG_BINARY, std::vector<uint8_t>(60, 0xAB));
    TRegistryHive again("HKEY_LOCAL_MACHINE");
    ASSERT_TRUE(again.Parse(hive.Text()));
    EXPECT_EQ(again.Text(), hive.Text());
    EXPECT_EQ(TRegistryHive::FindValue(*again.FindKey("other"), "lines")->Data, std::vector<uint8_t>({'a', '\n', 'b', 0}));
    EXPECT_EQ(TRegistryHive::FindValue(*again.FindKey("other"), "short")->Type, REG_DWORD);
    EXPECT_EQ(TRegistryHive::FindValue(*again.FindKey("other"), "long")->Data.size(), 60u);
}

TEST(RegistryHive, RejectsTextItDoesNotFullyUnderstand)
{
    const char* bad[] = {
        "REGEDIT5\n",
        "[HKEY_LOCAL_MACHINE\\A]\n",                        // no header
        "REGEDIT4\n\"Style\"=dword:1\n",                     // value outside a key
        "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n",               // another root
        "REGEDIT4\n[HKEY_LOCAL_MACHINEX\\A]\n",
        "REGEDIT4\n[-HKEY_LOCAL_MACHINE\\A]\n",
        "REGEDIT4\n[HKEY_LOCAL_MACHINE\\A\\\\B]\n",        // empty segment
        "REGEDIT4\n[HKEY_LOCAL_MACHINE\\A\n",
        "REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"S\"=dword:123456789\n",
        "REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"S\"=dword:\n",
        "REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"S\"=dword:xyz\n",
        "REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"S\"=\"open\n",
        "REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"S\"=\"bad \\n escape\"\n",
        "REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"S\"=\"x\" trailing\n",
        "REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"S\"=hex:1,2,345\n",
        "REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"S\"=hex(zz):01\n",
        "REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"S\"=-\n",
        "REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\nStyle=dword:1\n",
        "REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"S\" dword:1\n",
        "\x01\x02\xFF garbage",
    };
    for (const char* text : bad) {
        TRegistryHive hive("HKEY_LOCAL_MACHINE");
        EXPECT_FALSE(hive.Parse(text)) << text;
        EXPECT_TRUE(hive.Keys().empty());
    }
    TRegistryHive empty("HKEY_LOCAL_MACHINE");
    EXPECT_TRUE(empty.Parse(" \n\n"));
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
    const std::string foreign = "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\Quorvex\\Screensaver]\nnot a value line\n";
    WriteText(Hive(), foreign);
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
