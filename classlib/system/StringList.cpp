// TStrings helpers and the TStringList container.
#include "classlib/system/StringList.h"

#include "classlib/system/AtomicFile.h"
#include "classlib/system/Exceptions.h"
#include "classlib/system/SysUtils.h"

#include <algorithm>

void TStrings::IndexError(int index)
{
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

int TStrings::Add(const std::string& s)
{
    const int index = Count();
    Insert(index, s);
    return index;
}

void TStrings::AddStrings(const TStrings& strings)
{
    const int n = strings.Count();
    for (int i = 0; i < n; ++i) Add(strings.Strings(i));
}

int TStrings::IndexOf(const std::string& s) const
{
    const int n = Count();
    for (int i = 0; i < n; ++i)
        if (SameText(Strings(i), s)) return i;
    return -1;
}

std::string TStrings::Names(int index) const
{
    const std::string item = Strings(index);
    const size_t equals = item.find('=');
    return equals == std::string::npos ? std::string() : item.substr(0, equals);
}

std::string TStrings::ValueFromIndex(int index) const
{
    const std::string item = Strings(index);
    const size_t equals = item.find('=');
    return equals == std::string::npos ? std::string() : item.substr(equals + 1);
}

int TStrings::IndexOfName(const std::string& name) const
{
    const int n = Count();
    for (int i = 0; i < n; ++i) {
        const std::string item = Strings(i);
        const size_t equals = item.find('=');
        if (equals != std::string::npos && SameText(std::string_view(item).substr(0, equals), name)) return i;
    }
    return -1;
}

std::string TStrings::Values(const std::string& name) const
{
    const int index = IndexOfName(name);
    return index < 0 ? std::string() : ValueFromIndex(index);
}

void TStrings::SetValues(const std::string& name, const std::string& value)
{
    const int index = IndexOfName(name);
    if (value.empty()) {
        if (index >= 0) Delete(index);
    } else if (index >= 0) {
        SetStrings(index, name + "=" + value);
    } else {
        Add(name + "=" + value);
    }
}

std::string TStrings::Text() const
{
    std::string out;
    const int n = Count();
    for (int i = 0; i < n; ++i) {
        out += Strings(i);
        out += '\n';
    }
    return out;
}

void TStrings::SetText(std::string_view text)
{
    Clear();
    size_t start = 0;
    while (start < text.size()) {
        const size_t brk = text.find_first_of("\r\n", start);
        if (brk == std::string_view::npos) {
            Add(std::string(text.substr(start)));
            break;
        }
        Add(std::string(text.substr(start, brk - start)));
        start = brk + (text[brk] == '\r' && brk + 1 < text.size() && text[brk + 1] == '\n' ? 2 : 1);
    }
}

std::string TStrings::CommaText() const
{
    std::string out;
    const int n = Count();
    for (int i = 0; i < n; ++i) {
        const std::string item = Strings(i);
        if (i > 0) out += ',';
        const bool quote = item.empty() || std::any_of(item.begin(), item.end(), [](char c) {
            return static_cast<unsigned char>(c) <= ' ' || c == ',' || c == '"';
        });
        if (!quote) {
            out += item;
            continue;
        }
        out += '"';
        for (const char c : item) {
            if (c == '"') out += '"';
            out += c;
        }
        out += '"';
    }
    return out;
}

void TStrings::SetCommaText(std::string_view text)
{
    Clear();
    auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    while (i < text.size()) {
        std::string item;
        if (text[i] == '"') {
            ++i;
            while (i < text.size()) {
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        item += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += text[i++];
            }
        } else {
            while (i < text.size() && text[i] != ',' && !isBlank(text[i])) item += text[i++];
        }
        Add(item);
        while (i < text.size() && isBlank(text[i])) ++i;
        if (i < text.size() && text[i] == ',') {
            ++i;
            while (i < text.size() && isBlank(text[i])) ++i;
            if (i == text.size()) Add(""); // a trailing comma ends with an empty item
        }
    }
}

void TStrings::LoadFromFile(const std::string& fileName)
{
    std::string text;
    switch (ReadFileBounded(fileName, text)) {
    case TReadFileStatus::Ok:
        break;
    case TReadFileStatus::TooLarge:
        throw EFOpenError("Cannot open file \"" + fileName + "\". The file is too large");
    default:
        throw EFOpenError("Cannot open file \"" + fileName + "\". The file cannot be read");
    }
    std::string_view view(text);
    if (view.substr(0, 3) == "\xEF\xBB\xBF") view.remove_prefix(3);
    SetText(view);
}

void TStrings::SaveToFile(const std::string& fileName) const
{
    WriteFileAtomically(fileName, Text());
}

void TStrings::Assign(const TPersistent* source)
{
    if (const auto* strings = dynamic_cast<const TStrings*>(source)) {
        if (strings == this) return;
        Clear();
        AddStrings(*strings);
        return;
    }
    TPersistent::Assign(source);
}

std::string TStringList::Strings(int index) const
{
    if (index < 0 || index >= Count()) IndexError(index);
    return FItems[static_cast<size_t>(index)];
}

void TStringList::SetStrings(int index, const std::string& s)
{
    if (FSorted) throw EListError("Operation not allowed on sorted list");
    if (index < 0 || index >= Count()) IndexError(index);
    FItems[static_cast<size_t>(index)] = s;
}

void TStringList::Insert(int index, const std::string& s)
{
    if (FSorted) throw EListError("Operation not allowed on sorted list");
    if (index < 0 || index > Count()) IndexError(index);
    FItems.insert(FItems.begin() + index, s);
}

void TStringList::Delete(int index)
{
    if (index < 0 || index >= Count()) IndexError(index);
    FItems.erase(FItems.begin() + index);
}

int TStringList::Add(const std::string& s)
{
    if (!FSorted) {
        FItems.push_back(s);
        return Count() - 1;
    }
    int index = 0;
    if (Find(s, index)) {
        if (FDuplicates == dupIgnore) return index;
        if (FDuplicates == dupError) throw EListError("String list does not allow duplicates");
    }
    FItems.insert(FItems.begin() + index, s);
    return index;
}

int TStringList::IndexOf(const std::string& s) const
{
    if (FSorted) {
        int index = 0;
        return Find(s, index) ? index : -1;
    }
    for (size_t i = 0; i < FItems.size(); ++i)
        if (Compare(FItems[i], s) == 0) return static_cast<int>(i);
    return -1;
}

int TStringList::Compare(const std::string& a, const std::string& b) const
{
    return FCaseSensitive ? a.compare(b) : CompareText(a, b);
}

void TStringList::Sort()
{
    std::stable_sort(FItems.begin(), FItems.end(),
                     [this](const std::string& a, const std::string& b) { return Compare(a, b) < 0; });
}

void TStringList::SetSorted(bool sorted)
{
    if (sorted && !FSorted) Sort();
    FSorted = sorted;
}

void TStringList::SetCaseSensitive(bool caseSensitive)
{
    if (caseSensitive == FCaseSensitive) return;
    FCaseSensitive = caseSensitive;
    if (FSorted) Sort();
}

bool TStringList::Find(const std::string& s, int& index) const
{
    // Lower bound, so that among equal items the first is found.
    int low = 0;
    int high = Count();
    while (low < high) {
        const int mid = low + (high - low) / 2;
        if (Compare(FItems[static_cast<size_t>(mid)], s) < 0) low = mid + 1;
        else high = mid;
    }
    index = low;
    return low < Count() && Compare(FItems[static_cast<size_t>(low)], s) == 0;
}
