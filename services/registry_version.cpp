// The registry copy of a product's version text.
#include "services/registry_version.h"

#include <cstring>

#include "kernel/last_error.h"
#include "kernel/registry.h"

static CString ProductKeyPath(const char* productKey) { return CString("SOFTWARE\\Mervane\\") + productKey; }

void WriteRegistryVersion(const char* productKey, const char* version)
{
    HKEY key = nullptr;
    if (RegCreateKeyEx(HKEY_LOCAL_MACHINE, ProductKeyPath(productKey), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                       nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueEx(key, "version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                  static_cast<DWORD>(std::strlen(version) + 1));
    RegCloseKey(key);
}

CString ReadRegistryVersion(const char* productKey)
{
    HKEY key = nullptr;
    CString path = ProductKeyPath(productKey);
    if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS &&
        RegOpenKeyEx(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return CString();
    char buffer[1024] = {};
    DWORD size = sizeof buffer - 1;
    DWORD type = 0;
    if (RegQueryValueEx(key, "version", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
        buffer[0] = '\0';
    RegCloseKey(key);
    return CString(buffer);
}
