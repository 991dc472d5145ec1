// TIniFile over TIniDocument, with the file read fresh for every call.
#include "classlib/files/IniFiles.h"

#include "classlib/files/IniDocument.h"
#include "classlib/files/TextEncoding.h"
#include "classlib/system/AtomicFile.h"
#include "classlib/system/Exceptions.h"
#include "classlib/system/StringList.h"
#include "classlib/system/SysUtils.h"

TIniFile::TIniFile(std::string fileName) : FFileName(std::move(fileName)) {}

TIniDocument TIniFile::Load() const
{
    std::string text;
    TTextEncoding encoding;
    if (FFileName.empty() || ReadTextFile(FFileName, text, encoding) != TReadFileStatus::Ok) return TIniDocument();
    return TIniDocument(std::move(text));
}

std::string TIniFile::ReadString(const std::string& section, const std::string& ident, const std::string& defaultValue) const
{
    std::string value;
    if (!Load().FindValue(section, ident, value)) value = defaultValue;
    if (value.size() > MaxValueLength) value.resize(MaxValueLength);
    return value;
}

int TIniFile::ReadInteger(const std::string& section, const std::string& ident, int defaultValue) const
{
    return StrToIntDef(ReadString(section, ident, ""), defaultValue);
}

bool TIniFile::ReadBool(const std::string& section, const std::string& ident, bool defaultValue) const
{
    return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

bool TIniFile::SectionExists(const std::string& section) const
{
    return Load().SectionExists(section);
}

bool TIniFile::ValueExists(const std::string& section, const std::string& ident) const
{
    std::string value;
    return Load().FindValue(section, ident, value);
}

void TIniFile::ReadSection(const std::string& section, TStrings& strings) const
{
    strings.Clear();
    for (const auto& entry : Load().SectionEntries(section)) strings.Add(entry.first);
}

void TIniFile::ReadSections(TStrings& strings) const
{
    strings.Clear();
    for (const std::string& name : Load().SectionNames()) strings.Add(name);
}

void TIniFile::ReadSectionValues(const std::string& section, TStrings& strings) const
{
    strings.Clear();
    for (const auto& entry : Load().SectionEntries(section)) {
        std::string value = entry.second;
        if (value.size() > MaxValueLength) value.resize(MaxValueLength);
        strings.Add(entry.first + "=" + value);
    }
}

void TIniFile::WriteError() const
{
    throw EIniFileException("Unable to write to " + FFileName);
}

void TIniFile::Modify(const std::function<void(TIniDocument&)>& edit)
{
    if (FFileName.empty()) WriteError();
    TFileLock lock(FFileName);
    if (!lock.Locked()) WriteError();
    RemoveStaleTemporaryFiles(FFileName);
    std::string before;
    TTextEncoding encoding;
    const TReadFileStatus status = ReadTextFile(FFileName, before, encoding);
    // An existing file that cannot be read is never overwritten: its lines would be lost.
    if (status != TReadFileStatus::Ok && status != TReadFileStatus::NotFound) WriteError();
    TIniDocument document(before);
    edit(document);
    const std::string after = document.Text();
    if (status == TReadFileStatus::Ok && after == before) return;
    if (status == TReadFileStatus::NotFound && after.empty()) return;
    before.clear();
    before.shrink_to_fit();
    // The file keeps its encoding; a text that encoding cannot carry is not written.
    std::string bytes;
    if (!EncodeText(after, encoding, bytes)) WriteError();
    try {
        WriteFileAtomically(FFileName, bytes);
    } catch (const Exception&) {
        WriteError();
    }
}

void TIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value)
{
    if (!TIniDocument::IsValidSectionName(section) || !TIniDocument::IsValidKeyName(ident) ||
        !TIniDocument::IsValidValue(value))
        WriteError();
    Modify([&](TIniDocument& document) { document.SetValue(section, ident, value); });
}

void TIniFile::WriteInteger(const std::string& section, const std::string& ident, int value)
{
    WriteString(section, ident, IntToStr(value));
}

void TIniFile::WriteBool(const std::string& section, const std::string& ident, bool value)
{
    WriteString(section, ident, value ? "1" : "0");
}

void TIniFile::EraseSection(const std::string& section)
{
    Modify([&](TIniDocument& document) { document.EraseSection(section); });
}

void TIniFile::DeleteKey(const std::string& section, const std::string& ident)
{
    Modify([&](TIniDocument& document) { document.DeleteKey(section, ident); });
}

void TIniFile::UpdateFile() {}
