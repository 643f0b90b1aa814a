// Line model of an ini file: parsing, lookup, edits and the atomic save.
#include "kernel/profile_document.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "kernel/file_replace.h"
#include "kernel/utf16_text.h"

namespace profile_line {

std::string_view Trim(std::string_view text)
{
    size_t b = 0, e = text.size();
    while (b < e && (text[b] == ' ' || text[b] == '\t'))
        ++b;
    while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t'))
        --e;
    return text.substr(b, e - b);
}

std::optional<std::string_view> SectionName(std::string_view line)
{
    std::string_view t = Trim(line);
    if (t.empty() || t[0] != '[')
        return std::nullopt;
    t.remove_prefix(1);
    size_t close = t.rfind(']');
    if (close != std::string_view::npos)
        t = t.substr(0, close);
    return Trim(t);
}

std::optional<std::pair<std::string_view, std::string_view>> KeyValue(std::string_view line)
{
    std::string_view t = Trim(line);
    if (t.empty() || t[0] == ';' || t[0] == '[')
        return std::nullopt;
    size_t eq = t.find('=');
    if (eq == std::string_view::npos)
        return std::nullopt;
    std::string_view key = Trim(t.substr(0, eq));
    if (key.empty())
        return std::nullopt;
    return std::make_pair(key, Trim(t.substr(eq + 1)));
}

bool EqualNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x += 32;
        if (y >= 'A' && y <= 'Z')
            y += 32;
        if (x != y)
            return false;
    }
    return true;
}

std::string Unquote(std::string_view value)
{
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

}  // namespace profile_line

using namespace profile_line;

int ProfileDocument::Load(const std::string& linuxPath)
{
    m_lines.clear();
    m_encoding = Encoding::Plain;
    int fd = open(linuxPath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno;
    int error = Read(fd);
    close(fd);
    return error;
}

int ProfileDocument::Read(int fd)
{
    m_lines.clear();
    m_encoding = Encoding::Plain;
    // A read error part way is a failure: a shorter file would lose the settings behind it when written back.
    std::string text;
    char buffer[65536];
    for (off_t at = 0;;) {
        ssize_t n = pread(fd, buffer, sizeof buffer, at);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            break;
        text.append(buffer, static_cast<size_t>(n));
        at += n;
    }
    Parse(text);
    return 0;
}

void ProfileDocument::Parse(std::string_view text)
{
    m_lines.clear();
    m_encoding = Encoding::Plain;
    std::string decoded;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        m_encoding = Encoding::Utf8Mark;
        text.remove_prefix(3);
    } else if (text.substr(0, 2) == "\xFF\xFE" || text.substr(0, 2) == "\xFE\xFF") {
        m_encoding = text[0] == '\xFE' ? Encoding::Utf16Be : Encoding::Utf16Le;
        decoded = Utf16ToUtf8(text.substr(2), m_encoding == Encoding::Utf16Be);
        text = decoded;
    }
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find_first_of("\r\n", pos);
        m_lines.emplace_back(text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos));
        if (end == std::string_view::npos)
            break;
        pos = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
}

std::string ProfileDocument::Serialize() const
{
    std::string out;
    for (const std::string& line : m_lines) {
        out += line;
        out += "\r\n";
    }
    switch (m_encoding) {
    case Encoding::Plain: return out;
    case Encoding::Utf8Mark: return "\xEF\xBB\xBF" + out;
    case Encoding::Utf16Le: return "\xFF\xFE" + Utf8ToUtf16(out, false);
    case Encoding::Utf16Be: return "\xFE\xFF" + Utf8ToUtf16(out, true);
    }
    return out;
}

bool ProfileDocument::Save(const std::string& linuxPath) const
{
    std::string text = Serialize();
    return ReplaceFileContents(linuxPath, text.data(), text.size(), 0644) == FILE_WRITE_OK;
}

std::optional<ProfileDocument::Range> ProfileDocument::FindSection(std::string_view section) const
{
    for (size_t i = 0; i < m_lines.size(); ++i) {
        auto name = SectionName(m_lines[i]);
        if (name && EqualNoCase(*name, section)) {
            size_t end = i + 1;
            while (end < m_lines.size() && !SectionName(m_lines[end]))
                ++end;
            return Range{i, i + 1, end};
        }
    }
    return std::nullopt;
}

std::optional<size_t> ProfileDocument::FindKey(const Range& range, std::string_view key) const
{
    for (size_t i = range.first; i < range.end; ++i) {
        auto kv = KeyValue(m_lines[i]);
        if (kv && EqualNoCase(kv->first, key))
            return i;
    }
    return std::nullopt;
}

std::optional<std::string> ProfileDocument::GetValue(std::string_view section, std::string_view key) const
{
    auto range = FindSection(section);
    if (!range)
        return std::nullopt;
    auto line = FindKey(*range, key);
    if (!line)
        return std::nullopt;
    return Unquote(KeyValue(m_lines[*line])->second);
}

std::vector<std::string> ProfileDocument::SectionNames() const
{
    std::vector<std::string> names;
    for (const std::string& line : m_lines)
        if (auto name = SectionName(line))
            names.emplace_back(*name);
    return names;
}

std::vector<std::string> ProfileDocument::KeyNames(std::string_view section) const
{
    std::vector<std::string> names;
    if (auto range = FindSection(section))
        for (size_t i = range->first; i < range->end; ++i)
            if (auto kv = KeyValue(m_lines[i]))
                names.emplace_back(kv->first);
    return names;
}

void ProfileDocument::SetValue(std::string_view section, std::string_view key, std::string_view value)
{
    auto range = FindSection(section);
    if (!range) {
        AddSection(section);
        m_lines.push_back(std::string(key) + "=" + std::string(value));
        return;
    }
    if (auto line = FindKey(*range, key)) {
        std::string stored(KeyValue(m_lines[*line])->first);
        m_lines[*line] = stored + "=" + std::string(value);
        return;
    }
    // After the section's last non-blank line, so blank lines before the next section stay there.
    size_t at = range->end;
    while (at > range->first && Trim(m_lines[at - 1]).empty())
        --at;
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(at), std::string(key) + "=" + std::string(value));
}

void ProfileDocument::AddSection(std::string_view section)
{
    if (FindSection(section))
        return;
    m_lines.push_back("[" + std::string(section) + "]");
}

void ProfileDocument::RemoveKey(std::string_view section, std::string_view key)
{
    if (auto range = FindSection(section))
        if (auto line = FindKey(*range, key))
            m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(*line));
}

void ProfileDocument::RemoveSection(std::string_view section)
{
    if (auto range = FindSection(section))
        m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(range->header),
                      m_lines.begin() + static_cast<std::ptrdiff_t>(range->end));
}
