// Fuzz target for the settings parsers: INI text, regedit hive text, text
// encodings, integer conversion and date formats. Besides crashes it checks
// the parsers' promises: INI and hive text come back byte for byte, an edit is
// found again after re-parsing and changes nothing else, decoded text encodes
// back to the same bytes, and a number survives conversion to text and back.
// Inputs may be as large as the settings files' 16 MiB read bound
// (scripts/fuzz passes -max_len), so the parsers must stay linear.
#include "classlib/files/IniDocument.h"
#include "classlib/files/RegistryHive.h"
#include "classlib/files/TextEncoding.h"
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
    if (!hive.Parse(std::string(text))) return;
    const bool blank = text.find_first_not_of(" \t\r\n") == std::string_view::npos;
    if (!blank) Check(hive.Text() == text);
    // Setting one value changes that value and no other.
    const std::string key = "Software\\Quorvex\\Screensaver";
    std::vector<TRegistryKey> expected = hive.Keys();
    Check(hive.SetValue(key, "Style", REG_DWORD, {1, 0, 0, 0}));
    TRegistryValue value;
    Check(hive.FindValue(key, "style", value) && value.Type == REG_DWORD && value.Data.size() == 4 && value.Data[0] == 1);
    TRegistryHive again("HKEY_LOCAL_MACHINE");
    Check(again.Parse(hive.Text()));
    TRegistryKey* ours = nullptr;
    for (TRegistryKey& k : expected)
        if (!ours && SameText(k.Path, key)) ours = &k;
    if (!ours) ours = &expected.emplace_back(TRegistryKey{key, {}});
    TRegistryValue* style = nullptr;
    for (TRegistryValue& v : ours->Values)
        if (!style && SameText(v.Name, "Style")) style = &v;
    if (!style) style = &ours->Values.emplace_back(TRegistryValue{"Style", REG_NONE, {}});
    style->Type = REG_DWORD;
    style->Data = {1, 0, 0, 0};
    Check(again.Keys() == expected);
    Check(again.DeleteValue(key, "STYLE") && !again.FindValue(key, "Style", value));
}

void FuzzEncodings(std::string_view bytes)
{
    std::string text(bytes);
    TTextEncoding encoding;
    if (!DecodeText(text, encoding)) return;
    std::string back;
    Check(EncodeText(text, encoding, back) && back == bytes);
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
    FuzzEncodings(text);
    FuzzConversions(text);
    return 0;
}
