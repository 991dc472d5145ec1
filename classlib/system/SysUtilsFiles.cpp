// File-name dissection and simple file-system tests, with "/" as the separator.
#include "classlib/system/SysUtils.h"

#include <sys/stat.h>

#include <filesystem>
#include <system_error>

std::string ExtractFilePath(std::string_view fileName)
{
    const size_t slash = fileName.rfind(PathDelim);
    return slash == std::string_view::npos ? std::string() : std::string(fileName.substr(0, slash + 1));
}

std::string ExtractFileName(std::string_view fileName)
{
    const size_t slash = fileName.rfind(PathDelim);
    return std::string(slash == std::string_view::npos ? fileName : fileName.substr(slash + 1));
}

namespace {

// Position of the extension's dot, or npos when the last name part has none.
size_t ExtensionDot(std::string_view fileName)
{
    const size_t dot = fileName.rfind('.');
    const size_t slash = fileName.rfind(PathDelim);
    if (dot == std::string_view::npos) return dot;
    if (slash != std::string_view::npos && slash > dot) return std::string_view::npos;
    return dot;
}

} // namespace

std::string ExtractFileExt(std::string_view fileName)
{
    const size_t dot = ExtensionDot(fileName);
    return dot == std::string_view::npos ? std::string() : std::string(fileName.substr(dot));
}

std::string ChangeFileExt(std::string_view fileName, std::string_view extension)
{
    const size_t dot = ExtensionDot(fileName);
    std::string out(dot == std::string_view::npos ? fileName : fileName.substr(0, dot));
    out.append(extension);
    return out;
}

std::string IncludeTrailingPathDelimiter(std::string_view path)
{
    std::string out(path);
    if (out.empty() || out.back() != PathDelim) out.push_back(PathDelim);
    return out;
}

std::string ExcludeTrailingPathDelimiter(std::string_view path)
{
    std::string out(path);
    if (!out.empty() && out.back() == PathDelim) out.pop_back();
    return out;
}

bool FileExists(const std::string& fileName)
{
    struct stat st {};
    return !fileName.empty() && ::stat(fileName.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const std::string& directory)
{
    struct stat st {};
    return !directory.empty() && ::stat(directory.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string GetCurrentDir()
{
    std::error_code ec;
    const std::filesystem::path cwd = std::filesystem::current_path(ec);
    return ec ? std::string() : cwd.string();
}
