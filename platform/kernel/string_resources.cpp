// String-table lookup over the embedded STRING resources.
#include "kernel/string_resources.h"

#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

#include "kernel/cstring.h"
#include "kernel/resources.h"

namespace {

std::string Unescape(std::string_view text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        char c = text[++i];
        out += c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c;
    }
    return out;
}

std::optional<std::string> FindInTable(std::string_view table, UINT id)
{
    size_t pos = 0;
    while (pos < table.size()) {
        size_t nl = table.find('\n', pos);
        std::string_view line = table.substr(pos, nl == std::string_view::npos ? std::string_view::npos : nl - pos);
        pos = nl == std::string_view::npos ? table.size() : nl + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        size_t tab = line.find('\t');
        if (tab == 0 || tab == std::string_view::npos || line[0] < '0' || line[0] > '9')
            continue;
        std::string number(line.substr(0, tab));
        char* end = nullptr;
        unsigned long value = strtoul(number.c_str(), &end, 10);
        if (*end == '\0' && value == id)
            return Unescape(line.substr(tab + 1));
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> FindStringResource(UINT id)
{
    size_t count = EnumEmbeddedResources("STRING", nullptr, 0);
    std::vector<const EmbeddedResource*> tables(count);
    EnumEmbeddedResources("STRING", tables.data(), count);
    // Tables registered later win, as with other resources.
    for (auto it = tables.rbegin(); it != tables.rend(); ++it)
        if (auto text = FindInTable(std::string_view(reinterpret_cast<const char*>((*it)->data), (*it)->size), id))
            return text;
    return std::nullopt;
}

int LoadString(HINSTANCE, UINT id, LPSTR buffer, int bufferMax)
{
    if (!buffer || bufferMax <= 0)
        return 0;
    auto text = FindStringResource(id);
    size_t n = text ? text->size() : 0;
    if (n > static_cast<size_t>(bufferMax - 1))
        n = static_cast<size_t>(bufferMax - 1);
    if (n)
        memcpy(buffer, text->data(), n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

BOOL LoadStringResource(UINT id, CString& text)
{
    auto found = FindStringResource(id);
    if (!found)
        return FALSE;
    text = *found;
    return TRUE;
}
