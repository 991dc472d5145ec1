#include "app/CommandLine.h"

namespace {
std::vector<std::string>& Arguments()
{
    static std::vector<std::string> arguments;
    return arguments;
}
}  // namespace

void SetCommandLine(int argc, const char* const* argv)
{
    std::vector<std::string>& arguments = Arguments();
    arguments.clear();
    if (!argv) return;
    for (int i = 0; i < argc; ++i) arguments.emplace_back(argv[i] ? argv[i] : "");
}

int ParamCount()
{
    const size_t count = Arguments().size();
    return count == 0 ? 0 : static_cast<int>(count - 1);
}

std::string ParamStr(int index)
{
    const std::vector<std::string>& arguments = Arguments();
    if (index < 0 || static_cast<size_t>(index) >= arguments.size()) return {};
    return arguments[static_cast<size_t>(index)];
}
