// TStrings, the abstract list of texts, and TStringList, its vector-backed form.
#pragma once

#include "classlib/system/Classes.h"

#include <string>
#include <string_view>
#include <vector>

class TStrings : public TPersistent {
public:
    virtual int Count() const = 0;
    // Index errors raise EListError "List index out of bounds (%d)".
    virtual std::string Strings(int index) const = 0;
    virtual void SetStrings(int index, const std::string& s) = 0;
    virtual void Insert(int index, const std::string& s) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;

    // Appends and returns the new item's index.
    virtual int Add(const std::string& s);
    void AddStrings(const TStrings& strings);
    // Index of the first item equal to s (ASCII case ignored), or -1.
    virtual int IndexOf(const std::string& s) const;

    // Items of the form name=value.
    std::string Names(int index) const;
    std::string ValueFromIndex(int index) const;
    int IndexOfName(const std::string& name) const;
    std::string Values(const std::string& name) const;
    // Sets the first item with that name, or adds one; an empty value removes it.
    void SetValues(const std::string& name, const std::string& value);

    // The items, each followed by "\n"; setting splits at CR, LF or CRLF.
    std::string Text() const;
    void SetText(std::string_view text);
    // The items separated by ",", quoted with '"' where they hold blanks,
    // commas or quotes; setting also splits at unquoted blanks.
    std::string CommaText() const;
    void SetCommaText(std::string_view text);

    // Reads the lines of a file (a UTF-8 byte-order mark is skipped); raises
    // EFOpenError when it cannot be read. Saving replaces the file atomically
    // and raises EWriteError when it cannot.
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;

    void Assign(const TPersistent* source) override;

protected:
    [[noreturn]] static void IndexError(int index);
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList : public TStrings {
public:
    int Count() const override { return static_cast<int>(FItems.size()); }
    std::string Strings(int index) const override;
    void SetStrings(int index, const std::string& s) override;
    // Inserting into a sorted list raises EListError.
    void Insert(int index, const std::string& s) override;
    void Delete(int index) override;
    void Clear() override { FItems.clear(); }
    // In a sorted list the item goes to its place; duplicates follow Duplicates().
    int Add(const std::string& s) override;
    int IndexOf(const std::string& s) const override;

    bool Sorted() const { return FSorted; }
    void SetSorted(bool sorted);
    TDuplicates Duplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates duplicates) { FDuplicates = duplicates; }
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool caseSensitive);
    void Sort();
    // Binary search of a sorted list: true and the index when found, else
    // false and the index where s would go.
    bool Find(const std::string& s, int& index) const;

private:
    int Compare(const std::string& a, const std::string& b) const;

    std::vector<std::string> FItems;
    bool FSorted = false;
    TDuplicates FDuplicates = dupIgnore;
    bool FCaseSensitive = false;
};
