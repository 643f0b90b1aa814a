// Registry keys and values kept as sections and lines of the store file.
#include "kernel/registry.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <unordered_set>

#include "kernel/last_error.h"
#include "kernel/path_map.h"
#include "kernel/profile_document.h"
#include "kernel/profile_update.h"
#include "kernel/system_info_source.h"
#include "kernel/user_folders.h"

namespace {

struct OpenKey {
    std::string path;  // "HKEY_CURRENT_USER\Software\..." without a trailing backslash
};

struct Value {
    DWORD type;
    std::string bytes;
};

std::mutex& StoreLock()
{
    static std::mutex lock;
    return lock;
}

std::unordered_set<OpenKey*>& LiveKeys()
{
    static std::unordered_set<OpenKey*> keys;
    return keys;
}

const char kShellFolders[] = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
const char kProcessor[] = "HKEY_LOCAL_MACHINE\\HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";

std::string Upper(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c -= 32;
    return text;
}

std::optional<std::string> KeyPath(HKEY key)
{
    switch (reinterpret_cast<ULONG_PTR>(key)) {
    case 0x80000000: return std::string("HKEY_CLASSES_ROOT");
    case 0x80000001: return std::string("HKEY_CURRENT_USER");
    case 0x80000002: return std::string("HKEY_LOCAL_MACHINE");
    case 0x80000003: return std::string("HKEY_USERS");
    case 0x80000005: return std::string("HKEY_CURRENT_CONFIG");
    default: break;
    }
    auto* open = reinterpret_cast<OpenKey*>(key);
    if (LiveKeys().count(open))
        return open->path;
    return std::nullopt;
}

std::string Join(const std::string& base, LPCSTR subKey)
{
    std::string path = base;
    std::string sub = subKey ? subKey : "";
    while (!sub.empty() && sub.front() == '\\')
        sub.erase(0, 1);
    while (!sub.empty() && sub.back() == '\\')
        sub.pop_back();
    if (!sub.empty())
        path += "\\" + sub;
    return path;
}

// Values the system answers instead of the store; the boolean tells whether the key is one of those.
bool IsSystemKey(const std::string& upperPath)
{
    std::string shell = Upper(kShellFolders), cpu = Upper(kProcessor);
    auto within = [&](const std::string& prefix) {
        return prefix.compare(0, upperPath.size(), upperPath) == 0 &&
               (upperPath.size() == prefix.size() || prefix[upperPath.size()] == '\\');
    };
    return within(shell + "USER SHELL FOLDERS") || within(shell + "SHELL FOLDERS") || within(cpu);
}

std::optional<Value> SystemValue(const std::string& upperPath, const std::string& upperName)
{
    std::string shell = Upper(kShellFolders);
    bool user = upperPath == shell + "USER SHELL FOLDERS", plain = upperPath == shell + "SHELL FOLDERS";
    if (user || plain) {
        int csidl = upperName == "PERSONAL"   ? CSIDL_PERSONAL
                    : upperName == "MY MUSIC" ? CSIDL_MYMUSIC
                    : upperName == "DESKTOP"  ? CSIDL_DESKTOPDIRECTORY
                    : upperName == "APPDATA"  ? CSIDL_APPDATA
                                              : -1;
        char folder[MAX_PATH];
        if (csidl < 0 || SHGetFolderPath(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, 0, folder) != S_OK)
            return std::nullopt;
        return Value{static_cast<DWORD>(user ? REG_EXPAND_SZ : REG_SZ), std::string(folder) + '\0'};
    }
    if (upperPath == Upper(kProcessor)) {
        CpuIdentity cpu = GetCpuIdentity();
        if (upperName == "~MHZ")
            return Value{REG_DWORD, std::string(reinterpret_cast<const char*>(&cpu.mhz), 4)};
        const std::string* text = upperName == "IDENTIFIER"            ? &cpu.identifier
                                  : upperName == "VENDORIDENTIFIER"    ? &cpu.vendor
                                  : upperName == "PROCESSORNAMESTRING" ? &cpu.name
                                                                       : nullptr;
        if (text)
            return Value{REG_SZ, *text + '\0'};
    }
    return std::nullopt;
}

// Store lines: name=TYPE:data with texts quoted and escaped, numbers and bytes in hex.
std::string EncodeName(const std::string& name)
{
    if (name.empty())
        return "@";
    std::string out;
    for (char c : name) {
        if (c == '=' || c == '%' || c == '[' || c == ';' || c == '@' || c == ' ' || c == '\t') {
            char hex[4];
            snprintf(hex, sizeof hex, "%%%02X", static_cast<unsigned char>(c));
            out += hex;
        } else {
            out += c;
        }
    }
    return out;
}

std::string EncodeValue(const Value& value)
{
    char hex[4];
    std::string out = std::to_string(value.type) + ":";
    for (unsigned char c : value.bytes) {
        snprintf(hex, sizeof hex, "%02x", c);
        out += hex;
    }
    return out;
}

std::optional<Value> DecodeValue(const std::string& text)
{
    size_t colon = text.find(':');
    if (colon == std::string::npos)
        return std::nullopt;
    Value value{static_cast<DWORD>(strtoul(text.substr(0, colon).c_str(), nullptr, 10)), {}};
    for (size_t i = colon + 1; i + 1 < text.size(); i += 2)
        value.bytes += static_cast<char>(strtoul(text.substr(i, 2).c_str(), nullptr, 16));
    return value;
}

bool KeyExists(const ProfileDocument& store, const std::string& path)
{
    std::string upper = Upper(path);
    if (IsSystemKey(upper) || upper.find('\\') == std::string::npos)
        return true;
    for (const std::string& section : store.SectionNames()) {
        std::string s = Upper(section);
        if (s == upper || s.compare(0, upper.size() + 1, upper + "\\") == 0)
            return true;
    }
    return false;
}

LONG Fail(LONG code)
{
    SetLastError(static_cast<DWORD>(code));
    return code;
}

HKEY NewKey(const std::string& path)
{
    auto* open = new OpenKey{path};
    LiveKeys().insert(open);
    return reinterpret_cast<HKEY>(open);
}

// Changes the store under the lock its file shares with the profile functions; a store that cannot be
// read is never replaced, and a missing one is made only by `create`.
LONG UpdateStore(bool create, const std::function<void(ProfileDocument&)>& edit)
{
    std::string path = GetRegistryStorePath();
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    return UpdateProfileFile(path, create, edit) == 0 ? ERROR_SUCCESS : Fail(ERROR_ACCESS_DENIED);
}

}  // namespace

std::string GetRegistryStorePath() { return GetConfigFolder() + "/kestrin/registry.ini"; }

namespace {

// Opens a sub-key; with `create` a missing one is first added to the store.
LONG OpenSubKey(HKEY key, LPCSTR subKey, PHKEY result, bool create, LPDWORD disposition)
{
    if (!result)
        return Fail(ERROR_INVALID_PARAMETER);
    *result = nullptr;
    std::lock_guard<std::mutex> guard(StoreLock());
    auto base = KeyPath(key);
    if (!base)
        return Fail(ERROR_INVALID_HANDLE);
    std::string path = Join(*base, subKey);
    ProfileDocument store;
    store.Load(GetRegistryStorePath());
    bool existed = KeyExists(store, path);
    if (!existed) {
        if (!create)
            return Fail(ERROR_FILE_NOT_FOUND);
        if (LONG error = UpdateStore(true, [&](ProfileDocument& doc) { doc.AddSection(path); }))
            return error;
    }
    if (disposition)
        *disposition = existed ? REG_OPENED_EXISTING_KEY : REG_CREATED_NEW_KEY;
    *result = NewKey(path);
    return ERROR_SUCCESS;
}

}  // namespace

LONG RegOpenKeyEx(HKEY key, LPCSTR subKey, DWORD, REGSAM, PHKEY result)
{
    return OpenSubKey(key, subKey, result, false, nullptr);
}

LONG RegCreateKeyEx(HKEY key, LPCSTR subKey, DWORD, LPSTR, DWORD, REGSAM, LPSECURITY_ATTRIBUTES, PHKEY result,
                    LPDWORD disposition)
{
    return OpenSubKey(key, subKey, result, true, disposition);
}

LONG RegOpenKey(HKEY key, LPCSTR subKey, PHKEY result) { return RegOpenKeyEx(key, subKey, 0, KEY_ALL_ACCESS, result); }

LONG RegCreateKey(HKEY key, LPCSTR subKey, PHKEY result)
{
    return RegCreateKeyEx(key, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, result, nullptr);
}

LONG RegQueryValueEx(HKEY key, LPCSTR valueName, LPDWORD, LPDWORD type, LPBYTE data, LPDWORD dataSize)
{
    if (data && !dataSize)
        return Fail(ERROR_INVALID_PARAMETER);
    std::lock_guard<std::mutex> guard(StoreLock());
    auto path = KeyPath(key);
    if (!path)
        return Fail(ERROR_INVALID_HANDLE);
    std::string name = valueName ? valueName : "";
    std::optional<Value> value;
    ProfileDocument store;
    store.Load(GetRegistryStorePath());
    if (auto text = store.GetValue(*path, EncodeName(name)))
        value = DecodeValue(*text);
    if (!value)
        value = SystemValue(Upper(*path), Upper(name));
    if (!value)
        return Fail(ERROR_FILE_NOT_FOUND);
    if (type)
        *type = value->type;
    DWORD needed = static_cast<DWORD>(value->bytes.size());
    if (!dataSize)
        return ERROR_SUCCESS;
    if (data && *dataSize < needed) {
        *dataSize = needed;
        return Fail(ERROR_MORE_DATA);
    }
    if (data)
        memcpy(data, value->bytes.data(), needed);
    *dataSize = needed;
    return ERROR_SUCCESS;
}

LONG RegSetValueEx(HKEY key, LPCSTR valueName, DWORD, DWORD type, const BYTE* data, DWORD dataSize)
{
    std::lock_guard<std::mutex> guard(StoreLock());
    auto path = KeyPath(key);
    if (!path)
        return Fail(ERROR_INVALID_HANDLE);
    if ((type == REG_DWORD && dataSize != 4) || (!data && dataSize))
        return Fail(ERROR_INVALID_PARAMETER);
    Value value{type, std::string(reinterpret_cast<const char*>(data), dataSize)};
    // Texts are kept with exactly one terminating NUL, as the caller's count may leave it out.
    if ((type == REG_SZ || type == REG_EXPAND_SZ) && (value.bytes.empty() || value.bytes.back() != '\0'))
        value.bytes += '\0';
    std::string name = EncodeName(valueName ? valueName : ""), text = EncodeValue(value);
    return UpdateStore(true, [&](ProfileDocument& doc) { doc.SetValue(*path, name, text); });
}

LONG RegDeleteValue(HKEY key, LPCSTR valueName)
{
    std::lock_guard<std::mutex> guard(StoreLock());
    auto path = KeyPath(key);
    if (!path)
        return Fail(ERROR_INVALID_HANDLE);
    std::string name = EncodeName(valueName ? valueName : "");
    bool found = false;
    LONG error = UpdateStore(false, [&](ProfileDocument& doc) {
        found = doc.GetValue(*path, name).has_value();
        doc.RemoveKey(*path, name);
    });
    return error ? error : found ? ERROR_SUCCESS : Fail(ERROR_FILE_NOT_FOUND);
}

LONG RegDeleteKey(HKEY key, LPCSTR subKey)
{
    std::lock_guard<std::mutex> guard(StoreLock());
    auto base = KeyPath(key);
    if (!base)
        return Fail(ERROR_INVALID_HANDLE);
    if (!subKey || !*subKey)
        return Fail(ERROR_INVALID_PARAMETER);
    std::string path = Join(*base, subKey), upper = Upper(path);
    LONG outcome = ERROR_FILE_NOT_FOUND;
    LONG error = UpdateStore(false, [&](ProfileDocument& doc) {
        for (const std::string& section : doc.SectionNames()) {
            std::string s = Upper(section);
            if (s.compare(0, upper.size() + 1, upper + "\\") == 0) {
                outcome = ERROR_ACCESS_DENIED;  // a key with sub-keys stays
                return;
            }
            if (s == upper)
                outcome = ERROR_SUCCESS;
        }
        if (outcome == ERROR_SUCCESS)
            doc.RemoveSection(path);
    });
    return error ? error : outcome == ERROR_SUCCESS ? ERROR_SUCCESS : Fail(outcome);
}

LONG RegCloseKey(HKEY key)
{
    std::lock_guard<std::mutex> guard(StoreLock());
    auto* open = reinterpret_cast<OpenKey*>(key);
    if (LiveKeys().erase(open)) {
        delete open;
        return ERROR_SUCCESS;
    }
    return KeyPath(key) ? ERROR_SUCCESS : Fail(ERROR_INVALID_HANDLE);
}
