// Resource lookup over the embedded tables.
#include "kernel/resources.h"

#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>
#include <strings.h>
#include <vector>

#include "kernel/last_error.h"

namespace {

struct Tables {
    std::mutex lock;
    std::vector<std::pair<const EmbeddedResource*, size_t>> tables;
};

Tables& AllTables()
{
    static Tables* tables = [] {
        auto* t = new Tables;
        size_t count = 0;
        const EmbeddedResource* program = KestrinProgramResources(&count);
        t->tables.emplace_back(program, count);
        return t;
    }();
    return *tables;
}

const char* const kTypeNames[] = {nullptr,        "CURSOR",  "BITMAP",     "ICON",        "MENU",   "DIALOG",
                                  "STRING",       "FONTDIR", "FONT",       "ACCELERATOR", "RCDATA", "MESSAGETABLE",
                                  "GROUP_CURSOR", nullptr,   "GROUP_ICON", nullptr,       "VERSION"};

// Upper-cased lookup key of a resource name or type.
std::string Key(LPCSTR value, bool isType)
{
    if (IS_INTRESOURCE(value)) {
        unsigned id = static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(value));
        if (isType && id < sizeof kTypeNames / sizeof kTypeNames[0] && kTypeNames[id])
            return kTypeNames[id];
        return std::to_string(id);
    }
    std::string key(value);
    if (!key.empty() && key[0] == '#')
        key.erase(0, 1);
    for (char& c : key)
        if (c >= 'a' && c <= 'z')
            c -= 32;
    return key;
}

// A BITMAP resource holds the picture without its 14-byte file header.
size_t Skip(const EmbeddedResource* r)
{
    return (strcmp(r->type, "BITMAP") == 0 && r->size > 14 && r->data[0] == 'B' && r->data[1] == 'M') ? 14 : 0;
}

int g_moduleTag;
HINSTANCE g_resourceHandle = reinterpret_cast<HINSTANCE>(&g_moduleTag);

}  // namespace

void RegisterResourceTable(const EmbeddedResource* entries, size_t count)
{
    Tables& t = AllTables();
    std::lock_guard<std::mutex> guard(t.lock);
    t.tables.emplace_back(entries, count);
}

size_t EnumEmbeddedResources(const char* type, const EmbeddedResource** out, size_t capacity)
{
    Tables& t = AllTables();
    std::lock_guard<std::mutex> guard(t.lock);
    size_t n = 0;
    for (const auto& [entries, count] : t.tables)
        for (size_t i = 0; i < count; ++i)
            if (strcasecmp(entries[i].type, type) == 0) {
                if (out && n < capacity)
                    out[n] = &entries[i];
                ++n;
            }
    return n;
}

HRSRC FindResource(HMODULE, LPCSTR name, LPCSTR type)
{
    if (!name || !type) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    std::string nameKey = Key(name, false), typeKey = Key(type, true);
    Tables& t = AllTables();
    std::lock_guard<std::mutex> guard(t.lock);
    for (auto table = t.tables.rbegin(); table != t.tables.rend(); ++table)
        for (size_t i = 0; i < table->second; ++i) {
            const EmbeddedResource& r = table->first[i];
            if (typeKey == r.type && nameKey == r.name)
                return reinterpret_cast<HRSRC>(const_cast<EmbeddedResource*>(&r));
        }
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
}

HGLOBAL LoadResource(HMODULE, HRSRC resource)
{
    if (!resource)
        return nullptr;
    auto* r = reinterpret_cast<const EmbeddedResource*>(resource);
    return const_cast<unsigned char*>(r->data + Skip(r));
}

LPVOID LockResource(HGLOBAL resourceData) { return resourceData; }

DWORD SizeofResource(HMODULE, HRSRC resource)
{
    if (!resource)
        return 0;
    auto* r = reinterpret_cast<const EmbeddedResource*>(resource);
    return static_cast<DWORD>(r->size - Skip(r));
}

BOOL FreeResource(HGLOBAL)
{
    return FALSE;  // embedded resources are never freed
}

HINSTANCE AfxGetResourceHandle() { return g_resourceHandle; }

HINSTANCE AfxGetInstanceHandle() { return reinterpret_cast<HINSTANCE>(&g_moduleTag); }

void AfxSetResourceHandle(HINSTANCE instance) { g_resourceHandle = instance; }

HMODULE GetModuleHandle(LPCSTR moduleName) { return moduleName ? nullptr : AfxGetInstanceHandle(); }
