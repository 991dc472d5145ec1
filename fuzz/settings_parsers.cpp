// Fuzz target for the settings parsers: INI text, regedit hive text, integer
// conversion and date formats. Besides crashes it checks the parsers' promises:
// INI text comes back byte for byte, an edit is found again after re-parsing,
// a parsed hive writes a text that parses to itself, and a number survives
// conversion to text and back.
#include "classlib/files/IniDocument.h"
#include "classlib/files/RegistryHive.h"
#include "classlib/system/DateFormat.h"
#include "classlib/system/Exceptions.h"
#include "classlib/system/SysUtils.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

void Check(bool condition)
{
    if (!condition) __builtin_trap();
}

void FuzzIni(std::string_view text)
{
    TIniDocument document(text);
    Check(document.Text() == text);
    for (const std::string& section : document.SectionNames()) {
        for (const auto& entry : document.SectionEntries(section)) {
            std::string value;
            Check(document.FindValue(section, entry.first, value) && value == entry.second);
        }
    }
    document.SetValue("Skin", "skin", "65280");
    std::string value;
    Check(document.FindValue("Skin", "skin", value) && value == "65280");
    TIniDocument reparsed(document.Text());
    Check(reparsed.FindValue("Skin", "skin", value) && value == "65280");
    reparsed.DeleteKey("Skin", "skin");
    Check(!reparsed.FindValue("Skin", "skin", value));
    reparsed.EraseSection("Skin");
    Check(!reparsed.SectionExists("Skin"));
    Check(!TIniDocument(reparsed.Text()).SectionExists("Skin"));
}

void FuzzHive(std::string_view text)
{
    TRegistryHive hive("HKEY_LOCAL_MACHINE");
    if (!hive.Parse(text)) return;
    const std::string written = hive.Text();
    TRegistryHive again("HKEY_LOCAL_MACHINE");
    Check(again.Parse(written));
    Check(again.Text() == written);
}

void FuzzConversions(std::string_view text)
{
    const std::string s(text.substr(0, 64));
    int value = 0;
    if (TryStrToInt(s, value)) {
        Check(StrToInt(IntToStr(value)) == value);
        Check(StrToInt("$" + IntToHex(value, 8)) == value);
    }
    // Any text is a date format; a valid value must format without failing.
    const std::string out = FormatDateTime(text.substr(0, 256), 41025.7119, TFormatSettings::Defaults());
    Check(out.size() < 256 * 64);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    FuzzIni(text);
    FuzzHive(text);
    FuzzConversions(text);
    return 0;
}
