// The table of published property names per class.
#include "classlib/system/PublishedProperties.h"

#include <algorithm>
#include <vector>

namespace {
struct TPublishedProperties {
    TInstanceTest IsInstance;
    std::vector<std::string> Names;
};

std::vector<TPublishedProperties>& PublishedProperties()
{
    static std::vector<TPublishedProperties> classes;
    return classes;
}

bool SameNameIgnoringCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return (x >= 'a' && x <= 'z' ? x - 'a' + 'A' : x) == (y >= 'a' && y <= 'z' ? y - 'a' + 'A' : y);
           });
}
}  // namespace

void RegisterPublishedProperties(TInstanceTest isInstance, std::initializer_list<const char*> names)
{
    PublishedProperties().push_back({isInstance, std::vector<std::string>(names.begin(), names.end())});
}

bool PublishesProperty(const TPersistent* object, const std::string& name)
{
    if (!object) return false;
    for (const TPublishedProperties& c : PublishedProperties()) {
        if (!c.IsInstance(object)) continue;
        for (const std::string& published : c.Names)
            if (SameNameIgnoringCase(published, name)) return true;
    }
    return false;
}
