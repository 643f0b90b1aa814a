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
    // Reads the file at a Linux path: 0, or the errno of the failure (ENOENT: no file) with an empty document.
    int Load(const std::string& linuxPath);
    // The same from an open file, read from its start to its end.
    int Read(int fd);
    // Lines may end in CR LF, LF or CR alone; a byte-order mark selects UTF-8 or UTF-16 text.
    void Parse(std::string_view text);
    // The whole file with CR LF line ends, in the encoding and with the mark the file had.
    std::string Serialize() const;
    // Replaces the file through a temporary file renamed over it (ReplaceFileContents); false when that fails.
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

    enum class Encoding { Plain, Utf8Mark, Utf16Le, Utf16Be };

    std::vector<std::string> m_lines;  // UTF-8 whatever the file's encoding
    Encoding m_encoding = Encoding::Plain;
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
}  // namespace profile_line
