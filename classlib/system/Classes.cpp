#include "classlib/system/Classes.h"

#include "classlib/system/Exceptions.h"

#include <cstdlib>
#include <cxxabi.h>
#include <memory>
#include <typeinfo>

std::string TObject::ClassName() const
{
    const char* mangled = typeid(*this).name();
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
    std::string name = status == 0 && demangled ? demangled.get() : mangled;
    const auto colon = name.rfind("::");
    return colon == std::string::npos ? name : name.substr(colon + 2);
}

void TPersistent::Assign(const TPersistent* source)
{
    if (source) {
        source->AssignTo(this);
        return;
    }
    throw EConvertError("Cannot assign a nil to a " + ClassName() + ".");
}

void TPersistent::AssignTo(TPersistent* dest) const
{
    throw EConvertError("Cannot assign a " + ClassName() + " to a " + dest->ClassName() + ".");
}
