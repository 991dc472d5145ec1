// TRegistry: keys and typed values under a root. Each root lives in a hive
// file in regedit text form, "<config>/velmora/<ROOT NAME>.reg", where
// <config> is $XDG_CONFIG_HOME or else ~/.config. Nothing is cached: every
// call reads the hive again, and every change rewrites it atomically under
// the hive's lock, changing only the lines of the value it sets and keeping
// every other line, those it cannot read included. A hive may be UTF-8 or
// UTF-16 LE with its byte-order mark; a change keeps the file's encoding.
#pragma once

#include "classlib/system/Classes.h"

#include <cstdint>
#include <string>

using HKEY = uint32_t;

constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000u;
constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;
constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;
constexpr HKEY HKEY_USERS = 0x80000003u;
constexpr HKEY HKEY_CURRENT_CONFIG = 0x80000005u;

constexpr uint32_t KEY_QUERY_VALUE = 0x0001;
constexpr uint32_t KEY_SET_VALUE = 0x0002;
constexpr uint32_t KEY_CREATE_SUB_KEY = 0x0004;
constexpr uint32_t KEY_ENUMERATE_SUB_KEYS = 0x0008;
constexpr uint32_t KEY_READ = 0x20019;
constexpr uint32_t KEY_WRITE = 0x20006;
constexpr uint32_t KEY_ALL_ACCESS = 0xF003F;

enum TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

struct TRegDataInfo {
    TRegDataType RegData = rdUnknown;
    int DataSize = 0;
};

class TRegistry : public TObject {
public:
    // Root HKEY_CURRENT_USER; access KEY_ALL_ACCESS unless given.
    TRegistry();
    explicit TRegistry(uint32_t access);
    ~TRegistry() override;
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    HKEY RootKey() const { return FRootKey; }
    // Changing the root closes the current key.
    void SetRootKey(HKEY root);
    uint32_t Access() const { return FAccess; }
    void SetAccess(uint32_t access) { FAccess = access; }
    // The open key's path below the root; "" when none is open.
    const std::string& CurrentPath() const { return FCurrentPath; }

    // Opens a key: a path starting with "\" is taken from the root, any other
    // from the open key (or the root). With write access, or canCreate, the
    // hive must be writable; canCreate creates a missing key. Returns false,
    // reporting nothing, when the key is missing, the hive cannot be read or
    // does not start with a header, or it cannot be written when that is needed.
    bool OpenKey(const std::string& key, bool canCreate);
    // Opens an existing key with KEY_READ, which becomes the access on success.
    bool OpenKeyReadOnly(const std::string& key);
    void CloseKey();
    bool KeyExists(const std::string& key) const;

    bool ValueExists(const std::string& name) const;
    bool GetDataInfo(const std::string& name, TRegDataInfo& info) const;
    TRegDataType GetDataType(const std::string& name) const;
    // The value's size in bytes, -1 when it does not exist.
    int GetDataSize(const std::string& name) const;

    // Reads through a 4-byte buffer: a value whose data is longer raises
    // ERegistryException "Failed to get data for '%s'" (so does a missing one);
    // data that fits but is not a REG_DWORD raises "Invalid data type for '%s'".
    int ReadInteger(const std::string& name) const;
    // A missing value reads as ""; a value that is no text raises "Invalid data type for '%s'".
    std::string ReadString(const std::string& name) const;
    // Failures raise ERegistryException "Failed to set data for '%s'".
    void WriteInteger(const std::string& name, int value);
    void WriteString(const std::string& name, const std::string& value);
    bool DeleteValue(const std::string& name);

    // The hive file of a root; "" for an unknown root or when no configuration
    // folder can be found.
    static std::string HiveFileName(HKEY root);

private:
    // Query as the platform's RegQueryValueEx: 0 on success, else an error code.
    // With buffer null only the type and size are returned.
    int QueryValue(const std::string& name, uint32_t& type, uint8_t* buffer, uint32_t& size) const;
    int GetData(const std::string& name, uint8_t* buffer, uint32_t size, TRegDataType& regData) const;
    bool PutData(const std::string& name, uint32_t type, const std::string& bytes);
    bool ResolvePath(const std::string& key, std::string& path) const;

    HKEY FRootKey = HKEY_CURRENT_USER;
    uint32_t FAccess = KEY_ALL_ACCESS;
    bool FKeyOpen = false;
    uint32_t FKeyAccess = 0;
    std::string FCurrentPath;
    std::string FHiveFile;
};
