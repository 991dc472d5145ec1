// TRegistry over hive files.
#include "classlib/files/Registry.h"

#include "classlib/files/RegistryHive.h"
#include "classlib/files/TextEncoding.h"
#include "classlib/system/AtomicFile.h"
#include "classlib/system/Exceptions.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

namespace {

constexpr int ERROR_SUCCESS = 0;
constexpr int ERROR_FILE_NOT_FOUND = 2;
constexpr int ERROR_ACCESS_DENIED = 5;
constexpr int ERROR_MORE_DATA = 234;

constexpr size_t kMaxSegmentLength = 255;

const char* RootName(HKEY root)
{
    switch (root) {
    case HKEY_CLASSES_ROOT: return "HKEY_CLASSES_ROOT";
    case HKEY_CURRENT_USER: return "HKEY_CURRENT_USER";
    case HKEY_LOCAL_MACHINE: return "HKEY_LOCAL_MACHINE";
    case HKEY_USERS: return "HKEY_USERS";
    case HKEY_CURRENT_CONFIG: return "HKEY_CURRENT_CONFIG";
    default: return nullptr;
    }
}

std::string ConfigFolder()
{
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/') return xdg;
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + "/.config";
    passwd entry {};
    passwd* result = nullptr;
    std::vector<char> buffer(16384);
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &result) == 0 && result && result->pw_dir &&
        result->pw_dir[0] == '/')
        return std::string(result->pw_dir) + "/.config";
    return std::string();
}

// Reads the hive and tells the file's encoding; a missing file is an empty hive.
bool LoadHive(const std::string& file, TRegistryHive& hive, TTextEncoding& encoding)
{
    std::string text;
    switch (ReadTextFile(file, text, encoding)) {
    case TReadFileStatus::Ok: return hive.Parse(std::move(text));
    case TReadFileStatus::NotFound: return true;
    default: return false;
    }
}

bool LoadHive(const std::string& file, TRegistryHive& hive)
{
    TTextEncoding encoding;
    return LoadHive(file, hive, encoding);
}

// Writes the hive in the file's encoding, refusing one that would be too
// large to read back. Called holding the hive's lock.
bool StoreHive(const std::string& file, const TRegistryHive& hive, TTextEncoding encoding)
{
    std::string bytes;
    if (!EncodeText(hive.Text(), encoding, bytes) || bytes.size() > kMaxReadFileSize) return false;
    RemoveStaleTemporaryFiles(file);
    try {
        WriteFileAtomically(file, bytes);
    } catch (const Exception&) {
        return false;
    }
    return true;
}

TRegDataType DataTypeToRegData(uint32_t type)
{
    switch (type) {
    case REG_SZ: return rdString;
    case REG_EXPAND_SZ: return rdExpandString;
    case REG_DWORD: return rdInteger;
    case REG_BINARY: return rdBinary;
    default: return rdUnknown;
    }
}

[[noreturn]] void GetDataError(const std::string& name)
{
    throw ERegistryException("Failed to get data for '" + name + "'");
}

[[noreturn]] void ReadError(const std::string& name)
{
    throw ERegistryException("Invalid data type for '" + name + "'");
}

[[noreturn]] void SetDataError(const std::string& name)
{
    throw ERegistryException("Failed to set data for '" + name + "'");
}

} // namespace

TRegistry::TRegistry() = default;

TRegistry::TRegistry(uint32_t access) : FAccess(access) {}

TRegistry::~TRegistry()
{
    CloseKey();
}

void TRegistry::SetRootKey(HKEY root)
{
    if (root == FRootKey) return;
    FRootKey = root;
    CloseKey();
}

std::string TRegistry::HiveFileName(HKEY root)
{
    const char* name = RootName(root);
    if (!name) return std::string();
    const std::string folder = ConfigFolder();
    if (folder.empty()) return std::string();
    return folder + "/velmora/" + name + ".reg";
}

bool TRegistry::ResolvePath(const std::string& key, std::string& path) const
{
    std::string_view rest(key);
    const bool relative = rest.empty() || rest.front() != '\\';
    if (!relative) rest.remove_prefix(1);
    while (!rest.empty() && rest.back() == '\\') rest.remove_suffix(1);
    path = relative && FKeyOpen && !FCurrentPath.empty()
               ? FCurrentPath + (rest.empty() ? "" : "\\" + std::string(rest))
               : std::string(rest);
    if (!TRegistryHive::IsValidPath(path)) return false;
    size_t start = 0;
    while (start <= path.size()) {
        size_t slash = path.find('\\', start);
        if (slash == std::string::npos) slash = path.size();
        if (slash - start > kMaxSegmentLength) return false;
        start = slash + 1;
    }
    return true;
}

bool TRegistry::OpenKey(const std::string& key, bool canCreate)
{
    std::string path;
    if (!ResolvePath(key, path)) return false;
    const std::string file = HiveFileName(FRootKey);
    if (file.empty()) return false;
    TRegistryHive hive(RootName(FRootKey));
    const bool writing = canCreate || (FAccess & (KEY_SET_VALUE | KEY_CREATE_SUB_KEY)) != 0;
    if (writing) {
        std::error_code ec;
        std::filesystem::create_directories(std::filesystem::path(file).parent_path(), ec);
        TFileLock lock(file);
        TTextEncoding encoding;
        if (!lock.Locked() || !LoadHive(file, hive, encoding)) return false;
        if (!hive.KeyExists(path)) {
            if (!canCreate) return false;
            hive.CreateKey(path);
            if (!StoreHive(file, hive, encoding)) return false;
        }
    } else if (!LoadHive(file, hive) || !hive.KeyExists(path)) {
        return false;
    }
    CloseKey();
    if (!hive.StoredKeyPath(path, FCurrentPath)) FCurrentPath = path;
    FHiveFile = file;
    FKeyAccess = FAccess;
    FKeyOpen = true;
    return true;
}

bool TRegistry::OpenKeyReadOnly(const std::string& key)
{
    const uint32_t saved = FAccess;
    FAccess = KEY_READ;
    if (OpenKey(key, false)) return true;
    FAccess = saved;
    return false;
}

void TRegistry::CloseKey()
{
    FKeyOpen = false;
    FKeyAccess = 0;
    FCurrentPath.clear();
    FHiveFile.clear();
}

bool TRegistry::KeyExists(const std::string& key) const
{
    std::string path;
    if (!ResolvePath(key, path)) return false;
    const std::string file = HiveFileName(FRootKey);
    TRegistryHive hive(RootName(FRootKey) ? RootName(FRootKey) : "");
    return !file.empty() && LoadHive(file, hive) && hive.KeyExists(path);
}

int TRegistry::QueryValue(const std::string& name, uint32_t& type, uint8_t* buffer, uint32_t& size) const
{
    if (!FKeyOpen) return ERROR_FILE_NOT_FOUND;
    if ((FKeyAccess & KEY_QUERY_VALUE) == 0) return ERROR_ACCESS_DENIED;
    TRegistryHive hive(RootName(FRootKey));
    if (!LoadHive(FHiveFile, hive)) return ERROR_FILE_NOT_FOUND;
    TRegistryValue value;
    if (!hive.FindValue(FCurrentPath, name, value)) return ERROR_FILE_NOT_FOUND;
    type = value.Type;
    const uint32_t needed = static_cast<uint32_t>(value.Data.size());
    if (buffer && needed > size) {
        size = needed;
        return ERROR_MORE_DATA;
    }
    if (buffer && needed > 0) std::memcpy(buffer, value.Data.data(), needed);
    size = needed;
    return ERROR_SUCCESS;
}

int TRegistry::GetData(const std::string& name, uint8_t* buffer, uint32_t size, TRegDataType& regData) const
{
    uint32_t type = REG_NONE;
    if (QueryValue(name, type, buffer, size) != ERROR_SUCCESS) GetDataError(name);
    regData = DataTypeToRegData(type);
    return static_cast<int>(size);
}

bool TRegistry::GetDataInfo(const std::string& name, TRegDataInfo& info) const
{
    uint32_t type = REG_NONE;
    uint32_t size = 0;
    if (QueryValue(name, type, nullptr, size) != ERROR_SUCCESS) {
        info = TRegDataInfo();
        return false;
    }
    info.RegData = DataTypeToRegData(type);
    info.DataSize = static_cast<int>(size);
    return true;
}

bool TRegistry::ValueExists(const std::string& name) const
{
    TRegDataInfo info;
    return GetDataInfo(name, info);
}

TRegDataType TRegistry::GetDataType(const std::string& name) const
{
    TRegDataInfo info;
    return GetDataInfo(name, info) ? info.RegData : rdUnknown;
}

int TRegistry::GetDataSize(const std::string& name) const
{
    TRegDataInfo info;
    return GetDataInfo(name, info) ? info.DataSize : -1;
}

int TRegistry::ReadInteger(const std::string& name) const
{
    // Shorter data leaves the rest of the buffer zero.
    uint8_t buffer[4] = {0, 0, 0, 0};
    TRegDataType regData = rdUnknown;
    GetData(name, buffer, sizeof buffer, regData);
    if (regData != rdInteger) ReadError(name);
    const uint32_t value = buffer[0] | (buffer[1] << 8) | (buffer[2] << 16) | (static_cast<uint32_t>(buffer[3]) << 24);
    return static_cast<int>(value);
}

std::string TRegistry::ReadString(const std::string& name) const
{
    const int size = GetDataSize(name);
    if (size <= 0) return std::string();
    std::vector<uint8_t> buffer(static_cast<size_t>(size));
    TRegDataType regData = rdUnknown;
    const int got = GetData(name, buffer.data(), static_cast<uint32_t>(buffer.size()), regData);
    if (regData != rdString && regData != rdExpandString) ReadError(name);
    std::string text(reinterpret_cast<const char*>(buffer.data()), static_cast<size_t>(got));
    const size_t zero = text.find('\0');
    if (zero != std::string::npos) text.resize(zero);
    return text;
}

bool TRegistry::PutData(const std::string& name, uint32_t type, const std::string& bytes)
{
    if (!FKeyOpen || (FKeyAccess & KEY_SET_VALUE) == 0 || !TRegistryHive::IsValidValueName(name)) return false;
    TFileLock lock(FHiveFile);
    TRegistryHive hive(RootName(FRootKey));
    TTextEncoding encoding;
    if (!lock.Locked() || !LoadHive(FHiveFile, hive, encoding)) return false;
    // The key is created again if someone removed it since it was opened.
    return hive.SetValue(FCurrentPath, name, type, std::vector<uint8_t>(bytes.begin(), bytes.end())) &&
           StoreHive(FHiveFile, hive, encoding);
}

void TRegistry::WriteInteger(const std::string& name, int value)
{
    const uint32_t v = static_cast<uint32_t>(value);
    const std::string bytes = {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
                               static_cast<char>((v >> 16) & 0xFF), static_cast<char>(v >> 24)};
    if (!PutData(name, REG_DWORD, bytes)) SetDataError(name);
}

void TRegistry::WriteString(const std::string& name, const std::string& value)
{
    if (!PutData(name, REG_SZ, value + '\0')) SetDataError(name);
}

bool TRegistry::DeleteValue(const std::string& name)
{
    if (!FKeyOpen || (FKeyAccess & KEY_SET_VALUE) == 0) return false;
    TFileLock lock(FHiveFile);
    TRegistryHive hive(RootName(FRootKey));
    TTextEncoding encoding;
    if (!lock.Locked() || !LoadHive(FHiveFile, hive, encoding)) return false;
    return hive.DeleteValue(FCurrentPath, name) && StoreHive(FHiveFile, hive, encoding);
}
