#include "classlib/system/Exceptions.h"
#include "classlib/system/SysUtils.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>

TEST(StrToInt, AcceptsExactlyTheWholeTextAsA32BitNumber)
{
    struct Case {
        const char* Text;
        std::optional<int> Expected; // empty: not a number
    };
    const Case cases[] = {
        {"12", 12}, {"   12", 12}, {"+7", 7}, {"-7", -7}, {"007", 7},
        {"$1A", 26}, {"x1a", 26}, {"X1A", 26}, {"0x1A", 26}, {"0X1a", 26}, {"-$10", -16}, {"+0x10", 16},
        {"$FFFFFFFF", -1}, {"$80000000", INT_MIN}, {"$0FFFFFFFF", -1}, // eight significant digits
        {"2147483647", INT_MAX}, {"-2147483648", INT_MIN},
        {"$123456789", {}}, {"2147483648", {}}, {"-2147483649", {}}, {"99999999999999999999", {}},
        {"12a", {}}, {"12 ", {}}, {"1.5", {}}, {"\t5", {}}, {"5-", {}}, {"--5", {}},
        {"", {}}, {" ", {}}, {"+", {}}, {"-", {}}, {"$", {}}, {"0x", {}}, {"x", {}}, {"$G", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("text '") + c.Text + "'");
        int value = 12345;
        EXPECT_EQ(TryStrToInt(c.Text, value), c.Expected.has_value());
        EXPECT_EQ(value, c.Expected.value_or(12345));
        EXPECT_EQ(StrToIntDef(c.Text, -99), c.Expected.value_or(-99));
        if (c.Expected) EXPECT_EQ(StrToInt(c.Text), *c.Expected);
        else EXPECT_THROW(StrToInt(c.Text), EConvertError);
    }
}

TEST(StrToInt, NamesTheTextInItsError)
{
    try {
        StrToInt("abc");
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'abc' is not a valid integer value");
    }
}

TEST(IntToText, DecimalAndHexadecimal)
{
    EXPECT_EQ(IntToStr(-2147483640), "-2147483640");
    EXPECT_EQ(IntToStr(INT64_MIN), "-9223372036854775808");
    EXPECT_EQ(IntToHex(255, 4), "00FF");
    EXPECT_EQ(IntToHex(-1, 1), "FFFFFFFF");
    EXPECT_EQ(IntToHex(int64_t(-1), 1), "FFFFFFFFFFFFFFFF");
    EXPECT_EQ(IntToHex(0, 0), "0");
    // Every value of StrToInt's hexadecimal range comes back through IntToHex.
    for (const int v : {0, 1, -1, INT_MIN, INT_MAX, 0x00FF00})
        EXPECT_EQ(StrToInt("$" + IntToHex(v, 8)), v);
}

TEST(Format, ConversionsWidthsAndPrecisions)
{
    EXPECT_EQ(Format("Failed to get data for '%s'", "Style"), "Failed to get data for 'Style'");
    EXPECT_EQ(Format("C %.2d:%.2d:%.2d", 1, 2, 30), "C 01:02:30");
    EXPECT_EQ(Format("%d|%5d|%-5d|%.3d", -5, 42, 42, -7), "-5|   42|42   |-007");
    EXPECT_EQ(Format("%u %u", 7u, -1), "7 4294967295");
    EXPECT_EQ(Format("%x %.4x %x", 255, 255, -1), "FF 00FF FFFFFFFF");
    EXPECT_EQ(Format("%x", int64_t(-1)), "FFFFFFFFFFFFFFFF");
    EXPECT_EQ(Format("[%6s][%-6s][%.2s]", "ab", "ab", "abcdef"), "[    ab][ab    ][ab]");
    EXPECT_EQ(Format("%*d|%.*d", 4, 7, 3, 7), "   7|007");
    EXPECT_EQ(Format("%02d", 5), " 5"); // the width's leading zero is no flag
    EXPECT_EQ(Format("%f %.1f %.0f", 1.0, 2.75, 3.0), "1.00 2.8 3");
    EXPECT_EQ(Format("%n", 1234567.891), "1,234,567.89");
    EXPECT_EQ(Format("%.3e", 12345.0), "1.23E+004");
    EXPECT_EQ(Format("%1:s %0:s %s", "a", "b"), "b a b");
    EXPECT_EQ(Format("100%% %s", std::string("sure")), "100% sure");
    EXPECT_EQ(Format("%s%s", 'x', std::string_view("y")), "xy");
}

TEST(Format, RejectsMismatchesInsteadOfPrintingGarbage)
{
    const auto invalid = [](auto call) {
        try {
            call();
        } catch (const EConvertError& e) {
            return e.Message();
        }
        return std::string("no exception");
    };
    EXPECT_EQ(invalid([] { Format("%s", 5); }), "Format '%s' invalid or incompatible with argument");
    EXPECT_EQ(invalid([] { Format("%d", "5"); }), "Format '%d' invalid or incompatible with argument");
    EXPECT_EQ(invalid([] { Format("%f", 1); }), "Format '%f' invalid or incompatible with argument");
    EXPECT_EQ(invalid([] { Format("%d %d", 1); }), "No argument for format '%d %d'");
    EXPECT_EQ(invalid([] { Format("%q", 1); }), "Format '%q' invalid or incompatible with argument");
    EXPECT_EQ(invalid([] { Format("abc %", 1); }), "Format 'abc %' invalid or incompatible with argument");
    EXPECT_EQ(invalid([] { Format("%99999999d", 1); }), "Format '%99999999d' invalid or incompatible with argument");
    EXPECT_EQ(invalid([] { Format("%*d", 100000000, 1); }), "Format '%*d' invalid or incompatible with argument");
}

TEST(Strings, TrimCaseAndComparison)
{
    EXPECT_EQ(Trim(" \t\r\nab c\x01 "), "ab c");
    EXPECT_EQ(TrimLeft("  a  "), "a  ");
    EXPECT_EQ(TrimRight("  a  "), "  a");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(UpperCase("Skin-\xC3\xA4"), "SKIN-\xC3\xA4"); // only ASCII letters change
    EXPECT_EQ(LowerCase("SKIN"), "skin");
    EXPECT_TRUE(SameText("Skin", "sKIN"));
    EXPECT_FALSE(SameText("Skin", "Skins"));
    EXPECT_EQ(CompareText("abc", "ABC"), 0);
    EXPECT_LT(CompareText("abc", "abd"), 0);
    EXPECT_GT(CompareText("abcd", "ABC"), 0);
}

TEST(FileNames, DissectWithSlashAsTheSeparator)
{
    EXPECT_EQ(ExtractFilePath("/opt/velmora/velmora"), "/opt/velmora/");
    EXPECT_EQ(ExtractFilePath("velmora"), "");
    EXPECT_EQ(ExtractFileName("/opt/velmora/velmora"), "velmora");
    EXPECT_EQ(ExtractFileExt("/opt/a.b/file.ini"), ".ini");
    EXPECT_EQ(ExtractFileExt("/opt/a.b/file"), "");
    EXPECT_EQ(ChangeFileExt("/opt/a.b/file", ".ini"), "/opt/a.b/file.ini");
    EXPECT_EQ(ChangeFileExt("skin.bmp", ".png"), "skin.png");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/opt"), "/opt/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/opt/"), "/opt/");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/opt/"), "/opt");
    EXPECT_TRUE(DirectoryExists(VELMORA_SOURCE_DIR));
    EXPECT_FALSE(FileExists(VELMORA_SOURCE_DIR));
    EXPECT_TRUE(FileExists(std::string(VELMORA_SOURCE_DIR) + "/CMakeLists.txt"));
    EXPECT_FALSE(DirectoryExists(std::string(VELMORA_SOURCE_DIR) + "/CMakeLists.txt"));
    EXPECT_FALSE(GetCurrentDir().empty());
}
