// TIniFile: named values in sections of a text file, read and written with
// the rules of the platform's profile functions. Nothing is cached: every
// read goes to the file, every write replaces it atomically under a lock.
// The file may be UTF-8, with or without its byte-order mark, or UTF-16 LE
// with its mark; a write keeps the file's encoding. A TIniFile without a file
// name reads nothing and cannot be written.
#pragma once

#include "classlib/system/Classes.h"

#include <functional>
#include <string>

class TStrings;
class TIniDocument;

class TIniFile : public TObject {
public:
    explicit TIniFile(std::string fileName);

    const std::string& FileName() const { return FFileName; }

    // Values longer than the platform's 2048-character read buffer come back
    // cut to 2047 characters. A missing, unreadable or oversized file reads
    // as empty, so every read gives its default.
    std::string ReadString(const std::string& section, const std::string& ident, const std::string& defaultValue) const;
    int ReadInteger(const std::string& section, const std::string& ident, int defaultValue) const;
    bool ReadBool(const std::string& section, const std::string& ident, bool defaultValue) const;
    bool SectionExists(const std::string& section) const;
    bool ValueExists(const std::string& section, const std::string& ident) const;
    // The keys of a section; the sections of the file; a section as "key=value" lines.
    void ReadSection(const std::string& section, TStrings& strings) const;
    void ReadSections(TStrings& strings) const;
    void ReadSectionValues(const std::string& section, TStrings& strings) const;

    // Writes keep every other line of the file as it was. A write that cannot
    // be done (no folder, no rights, an unreadable existing file, a name or
    // value with a line break) raises EIniFileException "Unable to write to %s"
    // with the file name, and leaves the file unchanged.
    void WriteString(const std::string& section, const std::string& ident, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& ident, int value);
    void WriteBool(const std::string& section, const std::string& ident, bool value);
    void EraseSection(const std::string& section);
    void DeleteKey(const std::string& section, const std::string& ident);
    // Writes are never held back, so there is nothing to flush.
    void UpdateFile();

    // The longest value a read gives.
    static constexpr size_t MaxValueLength = 2047;

private:
    TIniDocument Load() const;
    // Runs edit on the file's current text under the file's lock and writes
    // the result when edit changed it.
    void Modify(const std::function<void(TIniDocument&)>& edit);
    [[noreturn]] void WriteError() const;

    std::string FFileName;
};
