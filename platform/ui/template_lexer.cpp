// Splitting template lines into tokens and reading statement arguments.
#include "ui/template_lexer.h"

#include <cctype>
#include <cstdlib>

#include "ui/dialog_template.h"

bool SplitTemplateLine(const std::string& line, std::vector<TemplateToken>& out, std::string* error)
{
    out.clear();
    size_t i = 0, n = line.size();
    while (i < n) {
        char c = line[i];
        if (std::isspace((unsigned char)c)) {
            ++i;
            continue;
        }
        if (c == ';' || (c == '/' && i + 1 < n && line[i + 1] == '/'))
            break;
        if (c == ',') {
            out.push_back({TemplateToken::Comma, ",", 0});
            ++i;
            continue;
        }
        if (c == '|') {
            out.push_back({TemplateToken::Bar, "|", 0});
            ++i;
            continue;
        }
        if (c == '"') {
            std::string text;
            ++i;
            bool closed = false;
            while (i < n) {
                char d = line[i];
                if (d == '"' && i + 1 < n && line[i + 1] == '"') {
                    text += '"';
                    i += 2;
                } else if (d == '"') {
                    closed = true;
                    ++i;
                    break;
                } else if (d == '\\' && i + 1 < n) {
                    char e = line[i + 1];
                    text += e == 'n' ? '\n' : e == 't' ? '\t' : e;
                    i += 2;
                } else {
                    text += d;
                    ++i;
                }
            }
            if (!closed) {
                if (error)
                    *error = "unterminated text";
                return false;
            }
            out.push_back({TemplateToken::Text, text, 0});
            continue;
        }
        if (std::isdigit((unsigned char)c) ||
            ((c == '-' || c == '+') && i + 1 < n && std::isdigit((unsigned char)line[i + 1]))) {
            char* end = nullptr;
            long long v = std::strtoll(line.c_str() + i, &end, 0);
            size_t used = (size_t)(end - (line.c_str() + i));
            out.push_back({TemplateToken::Number, line.substr(i, used), v});
            i += used;
            if (i < n && (line[i] == 'L' || line[i] == 'l'))
                ++i;
            continue;
        }
        if (std::isalpha((unsigned char)c) || c == '_' || c == '#') {
            size_t start = i;
            while (i < n && (std::isalnum((unsigned char)line[i]) || line[i] == '_' || line[i] == '#'))
                ++i;
            out.push_back({TemplateToken::Word, line.substr(start, i - start), 0});
            continue;
        }
        if (error)
            *error = std::string("unexpected character '") + c + "'";
        return false;
    }
    return true;
}

bool TemplateArgs::SkipComma()
{
    if (m_pos < m_tokens.size() && m_tokens[m_pos].kind == TemplateToken::Comma)
        ++m_pos;
    return true;
}

bool TemplateArgs::Text(std::string& out)
{
    if (AtEnd() || m_tokens[m_pos].kind != TemplateToken::Text) {
        m_error = "text expected";
        return false;
    }
    out = m_tokens[m_pos++].text;
    return SkipComma();
}

bool TemplateArgs::TextOrNumber(std::string& out)
{
    if (!AtEnd() && m_tokens[m_pos].kind == TemplateToken::Text)
        return Text(out);
    long long v;
    if (!Number(v))
        return false;
    out = std::to_string(v);
    return true;
}

bool TemplateArgs::Number(long long& out) { return Style(out, 0); }

bool TemplateArgs::Style(long long& out, long long base)
{
    long long value = base;
    bool any = false, expectTerm = true;
    while (!AtEnd() && m_tokens[m_pos].kind != TemplateToken::Comma) {
        const TemplateToken& t = m_tokens[m_pos];
        if (t.kind == TemplateToken::Bar) {
            expectTerm = true;
            ++m_pos;
            continue;
        }
        if (!expectTerm) {
            m_error = "'|' expected before " + t.text;
            return false;
        }
        bool remove = false;
        if (t.kind == TemplateToken::Word && t.text == "NOT") {
            remove = true;
            if (++m_pos >= m_tokens.size()) {
                m_error = "name expected after NOT";
                return false;
            }
        }
        const TemplateToken& term = m_tokens[m_pos++];
        long long v = 0;
        if (term.kind == TemplateToken::Number)
            v = term.number;
        else if (term.kind != TemplateToken::Word || !LookupTemplateName(term.text, &v)) {
            m_error = "unknown name " + term.text;
            return false;
        }
        value = remove ? (value & ~v) : (value | v);
        any = true;
        expectTerm = false;
    }
    if (!any) {
        m_error = "value expected";
        return false;
    }
    out = value;
    return SkipComma();
}
