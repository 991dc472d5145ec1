// Published properties, for questions by name: a class registers the names it
// publishes, and every object of that class or a subclass answers to them.
// Names are compared without regard to case.
#pragma once

#include "classlib/system/Classes.h"

#include <initializer_list>
#include <string>

using TInstanceTest = bool (*)(const TPersistent* object);
void RegisterPublishedProperties(TInstanceTest isInstance, std::initializer_list<const char*> names);
template <typename T>
void RegisterPublishedProperties(std::initializer_list<const char*> names)
{
    RegisterPublishedProperties([](const TPersistent* object) { return dynamic_cast<const T*>(object) != nullptr; },
                                names);
}
bool PublishesProperty(const TPersistent* object, const std::string& name);
