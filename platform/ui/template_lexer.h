// Internal: splitting dialog and menu template lines into words, texts, numbers and punctuation.
#pragma once

#include <string>
#include <vector>

struct TemplateToken {
    enum Kind { Word, Text, Number, Comma, Bar } kind;
    std::string text;
    long long number = 0;
};

// One statement line; false with a message for an unterminated text or a stray character.
bool SplitTemplateLine(const std::string& line, std::vector<TemplateToken>& out, std::string* error);

// Reads comma-separated arguments of a statement after its keyword (tokens[first..]).
class TemplateArgs {
public:
    TemplateArgs(const std::vector<TemplateToken>& tokens, size_t first) : m_tokens(tokens), m_pos(first) {}
    bool AtEnd() const { return m_pos >= m_tokens.size(); }
    // Each reader consumes one argument and its trailing comma.
    bool Text(std::string& out);
    bool TextOrNumber(std::string& out);
    bool Number(long long& out);                     // a number, a known id name, or style names joined by '|'
    bool Style(long long& out, long long base = 0);  // style names joined by '|', with NOT names removed
    const std::string& Error() const { return m_error; }

private:
    bool SkipComma();
    const std::vector<TemplateToken>& m_tokens;
    size_t m_pos;
    std::string m_error;
};
