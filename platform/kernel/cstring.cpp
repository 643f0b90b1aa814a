// CString operations.
#include "kernel/cstring.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

namespace {

char FoldAscii(char ch) { return (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch - 'A' + 'a') : ch; }

bool IsTrimSpace(char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n' || ch == '\v' || ch == '\f'; }

int ClampIndex(int value, int limit) { return value < 0 ? 0 : (value > limit ? limit : value); }

}  // namespace

CString::CString(const char* text, int length)
{
    if (text && length > 0)
        m_text.assign(text, length);
}

CString::CString(char ch, int repeat)
{
    if (repeat > 0)
        m_text.assign(repeat, ch);
}

CString& CString::operator=(const char* text)
{
    m_text = text ? text : "";
    return *this;
}

CString& CString::operator=(char ch)
{
    m_text.assign(1, ch);
    return *this;
}

CString& CString::operator=(const std::string& text)
{
    m_text = text;
    return *this;
}

char CString::GetAt(int index) const { return (index >= 0 && index < GetLength()) ? m_text[index] : '\0'; }

void CString::SetAt(int index, char ch)
{
    if (index >= 0 && index < GetLength())
        m_text[index] = ch;
}

CString& CString::operator+=(const CString& other)
{
    m_text += other.m_text;
    return *this;
}

CString& CString::operator+=(const char* text)
{
    if (text)
        m_text += text;
    return *this;
}

CString& CString::operator+=(char ch)
{
    m_text += ch;
    return *this;
}

CString& CString::Append(const char* text, int length)
{
    if (text && length > 0)
        m_text.append(text, length);
    return *this;
}

CString operator+(const CString& a, const CString& b) { return CString(a.m_text + b.m_text); }
CString operator+(const CString& a, const char* b) { return CString(a.m_text + (b ? b : "")); }
CString operator+(const char* a, const CString& b) { return CString((a ? a : "") + b.m_text); }
CString operator+(const CString& a, char b) { return CString(a.m_text + b); }
CString operator+(char a, const CString& b) { return CString(a + b.m_text); }

int CString::Compare(const char* text) const { return std::strcmp(m_text.c_str(), text ? text : ""); }

int CString::CompareNoCase(const char* text) const
{
    const unsigned char* a = reinterpret_cast<const unsigned char*>(m_text.c_str());
    const unsigned char* b = reinterpret_cast<const unsigned char*>(text ? text : "");
    for (;; ++a, ++b) {
        unsigned char ca = static_cast<unsigned char>(FoldAscii(static_cast<char>(*a)));
        unsigned char cb = static_cast<unsigned char>(FoldAscii(static_cast<char>(*b)));
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (ca == 0)
            return 0;
    }
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const
{
    first = ClampIndex(first, GetLength());
    count = ClampIndex(count, GetLength() - first);
    return CString(m_text.substr(first, count));
}

CString CString::Left(int count) const { return CString(m_text.substr(0, ClampIndex(count, GetLength()))); }

CString CString::Right(int count) const
{
    count = ClampIndex(count, GetLength());
    return CString(m_text.substr(GetLength() - count));
}

CString CString::SpanIncluding(const char* charSet) const
{
    return Left(static_cast<int>(std::strspn(m_text.c_str(), charSet ? charSet : "")));
}

CString CString::SpanExcluding(const char* charSet) const
{
    return Left(static_cast<int>(std::strcspn(m_text.c_str(), charSet ? charSet : "")));
}

CString CString::Tokenize(const char* tokens, int& start) const
{
    if (start < 0 || start >= GetLength()) {
        start = -1;
        return CString();
    }
    const char* set = tokens ? tokens : "";
    size_t from = m_text.find_first_not_of(set, start);
    if (from == std::string::npos) {
        start = -1;
        return CString();
    }
    size_t to = m_text.find_first_of(set, from);
    if (to == std::string::npos)
        to = m_text.size();
    start = static_cast<int>(to) + 1;
    return CString(m_text.substr(from, to - from));
}

void CString::MakeUpper()
{
    for (char& ch : m_text)
        if (ch >= 'a' && ch <= 'z')
            ch = static_cast<char>(ch - 'a' + 'A');
}

void CString::MakeLower()
{
    for (char& ch : m_text)
        ch = FoldAscii(ch);
}

void CString::MakeReverse() { std::reverse(m_text.begin(), m_text.end()); }

int CString::Replace(char oldCh, char newCh)
{
    int count = 0;
    for (char& ch : m_text) {
        if (ch == oldCh) {
            ch = newCh;
            ++count;
        }
    }
    return count;
}

int CString::Replace(const char* oldText, const char* newText)
{
    if (!oldText || !*oldText)
        return 0;
    const std::string from(oldText), to(newText ? newText : "");
    int count = 0;
    std::string result;
    size_t pos = 0;
    for (size_t hit; (hit = m_text.find(from, pos)) != std::string::npos; pos = hit + from.size()) {
        result.append(m_text, pos, hit - pos);
        result += to;
        ++count;
    }
    if (count == 0)
        return 0;
    result.append(m_text, pos, std::string::npos);
    m_text.swap(result);
    return count;
}

int CString::Remove(char ch)
{
    size_t before = m_text.size();
    m_text.erase(std::remove(m_text.begin(), m_text.end(), ch), m_text.end());
    return static_cast<int>(before - m_text.size());
}

int CString::Insert(int index, char ch)
{
    m_text.insert(m_text.begin() + ClampIndex(index, GetLength()), ch);
    return GetLength();
}

int CString::Insert(int index, const char* text)
{
    if (text)
        m_text.insert(ClampIndex(index, GetLength()), text);
    return GetLength();
}

int CString::Delete(int index, int count)
{
    index = ClampIndex(index, GetLength());
    if (count > 0)
        m_text.erase(index, ClampIndex(count, GetLength() - index));
    return GetLength();
}

CString& CString::TrimLeft()
{
    size_t n = 0;
    while (n < m_text.size() && IsTrimSpace(m_text[n]))
        ++n;
    m_text.erase(0, n);
    return *this;
}

CString& CString::TrimLeft(char target)
{
    char set[2] = {target, '\0'};
    return TrimLeft(set);
}

CString& CString::TrimLeft(const char* targets)
{
    size_t n = m_text.find_first_not_of(targets ? targets : "");
    m_text.erase(0, n == std::string::npos ? m_text.size() : n);
    return *this;
}

CString& CString::TrimRight()
{
    size_t n = m_text.size();
    while (n > 0 && IsTrimSpace(m_text[n - 1]))
        --n;
    m_text.resize(n);
    return *this;
}

CString& CString::TrimRight(char target)
{
    char set[2] = {target, '\0'};
    return TrimRight(set);
}

CString& CString::TrimRight(const char* targets)
{
    size_t n = m_text.find_last_not_of(targets ? targets : "");
    m_text.resize(n == std::string::npos ? 0 : n + 1);
    return *this;
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }
CString& CString::Trim(char target) { return TrimRight(target).TrimLeft(target); }
CString& CString::Trim(const char* targets) { return TrimRight(targets).TrimLeft(targets); }

int CString::Find(char ch, int start) const
{
    if (start < 0 || start >= GetLength())
        return -1;
    size_t hit = m_text.find(ch, start);
    return hit == std::string::npos ? -1 : static_cast<int>(hit);
}

int CString::Find(const char* text, int start) const
{
    if (!text || start < 0 || start > GetLength())
        return -1;
    size_t hit = m_text.find(text, start);
    return hit == std::string::npos ? -1 : static_cast<int>(hit);
}

int CString::ReverseFind(char ch) const
{
    size_t hit = m_text.rfind(ch);
    return hit == std::string::npos ? -1 : static_cast<int>(hit);
}

int CString::FindOneOf(const char* charSet) const
{
    size_t hit = m_text.find_first_of(charSet ? charSet : "");
    return hit == std::string::npos ? -1 : static_cast<int>(hit);
}

void CString::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::FormatV(const char* format, va_list args)
{
    va_list copy;
    va_copy(copy, args);
    int needed = std::vsnprintf(nullptr, 0, format ? format : "", copy);
    va_end(copy);
    if (needed <= 0) {
        m_text.clear();
        return;
    }
    std::string result(static_cast<size_t>(needed) + 1, '\0');
    std::vsnprintf(result.data(), result.size(), format, args);
    result.resize(needed);
    m_text.swap(result);
}

void CString::AppendFormat(const char* format, ...)
{
    CString piece;
    va_list args;
    va_start(args, format);
    piece.FormatV(format, args);
    va_end(args);
    m_text += piece.m_text;
}

char* CString::GetBuffer(int minLength)
{
    if (minLength > GetLength())
        m_text.resize(minLength, '\0');
    return m_text.data();
}

char* CString::GetBufferSetLength(int length)
{
    m_text.resize(length > 0 ? length : 0, '\0');
    return m_text.data();
}

void CString::ReleaseBuffer(int newLength)
{
    if (newLength < 0)
        newLength = static_cast<int>(std::strlen(m_text.c_str()));
    m_text.resize(ClampIndex(newLength, GetLength()));
}

bool operator==(const CString& a, const CString& b) { return a.str() == b.str(); }
bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
bool operator==(const char* a, const CString& b) { return b.Compare(a) == 0; }
bool operator!=(const CString& a, const CString& b) { return !(a == b); }
bool operator!=(const CString& a, const char* b) { return !(a == b); }
bool operator!=(const char* a, const CString& b) { return !(a == b); }
bool operator<(const CString& a, const CString& b) { return a.str() < b.str(); }
bool operator>(const CString& a, const CString& b) { return b < a; }
bool operator<=(const CString& a, const CString& b) { return !(b < a); }
bool operator>=(const CString& a, const CString& b) { return !(a < b); }
