// One ini file held as its lines, with the lookups and edits of the profile functions.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Sections and keys match ignoring ASCII case; values come back trimmed of blanks with one pair of
// matching surrounding quotes removed. Edits keep every other line (comments included) untouched.
class ProfileDocument {
public:
    // Reads the file at a Linux path; false (and an empty document) when it cannot be read.
    bool Load(const std::string& linuxPath);
    void Parse(std::string_view text);
    // The whole file with CR LF line ends (and the UTF-8 mark when the file had one).
    std::string Serialize() const;
    // Writes through a temporary file renamed over the target; false when that fails.
    bool Save(const std::string& linuxPath) const;

    std::optional<std::string> GetValue(std::string_view section, std::string_view key) const;
    std::vector<std::string> SectionNames() const;
    std::vector<std::string> KeyNames(std::string_view section) const;

    void SetValue(std::string_view section, std::string_view key, std::string_view value);
    // Adds an empty section at the end unless it exists.
    void AddSection(std::string_view section);
    void RemoveKey(std::string_view section, std::string_view key);
    void RemoveSection(std::string_view section);

private:
    // Index range [first, end) of a section's body lines; first is SIZE_MAX when absent.
    struct Range {
        size_t header;
        size_t first;
        size_t end;
    };
    std::optional<Range> FindSection(std::string_view section) const;
    std::optional<size_t> FindKey(const Range& range, std::string_view key) const;

    std::vector<std::string> m_lines;
    bool m_utf8Mark = false;
};

// Line classification shared with the registry store.
namespace profile_line {
std::string_view Trim(std::string_view text);
// Section name of a "[name]" line.
std::optional<std::string_view> SectionName(std::string_view line);
// Key and raw (trimmed, quotes kept) value of a "key=value" line; comments and other lines give nothing.
std::optional<std::pair<std::string_view, std::string_view>> KeyValue(std::string_view line);
bool EqualNoCase(std::string_view a, std::string_view b);
std::string Unquote(std::string_view value);
} // namespace profile_line
