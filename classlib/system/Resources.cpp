// Name lookup over the table that the build generates from resources/.
#include "classlib/system/Resources.h"

#include <cstring>

namespace velmora_resources {
struct Entry {
    const char* Type;
    const char* Name;
    const unsigned char* Data;
    std::size_t Size;
};
}

extern "C" const velmora_resources::Entry velmora_resource_table[];

namespace {

// ASCII-only comparison: resource names must not depend on the current locale.
bool SameNameIgnoringCase(const char* stored, const std::string& wanted)
{
    if (std::strlen(stored) != wanted.size()) return false;
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        char a = stored[i], b = wanted[i];
        if (a >= 'a' && a <= 'z') a = static_cast<char>(a - 'a' + 'A');
        if (b >= 'a' && b <= 'z') b = static_cast<char>(b - 'a' + 'A');
        if (a != b) return false;
    }
    return true;
}

}  // namespace

std::optional<TResourceData> FindResource(const std::string& name, const std::string& type)
{
    // The table is small (the skin's bitmaps); a linear scan is plenty.
    for (const velmora_resources::Entry* entry = velmora_resource_table; entry->Name; ++entry) {
        if (SameNameIgnoringCase(entry->Name, name) && SameNameIgnoringCase(entry->Type, type))
            return TResourceData{entry->Data, entry->Size};
    }
    return std::nullopt;
}
