// CString: the class library's byte string (UTF-8 text), with its familiar operations.
#pragma once

#include <cstdarg>
#include <string>
#include <string_view>

#include "kernel/windef.h"

class CString {
public:
    CString() = default;
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString(const char* text) : m_text(text ? text : "") {}
    CString(const char* text, int length);
    CString(char ch, int repeat = 1);
    CString(const std::string& text) : m_text(text) {}
    CString(std::string_view text) : m_text(text) {}

    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(const char* text);
    CString& operator=(char ch);
    CString& operator=(const std::string& text);

    // Size and access.
    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    char GetAt(int index) const;
    void SetAt(int index, char ch);
    char operator[](int index) const { return GetAt(index); }
    operator const char*() const { return m_text.c_str(); }
    const char* GetString() const { return m_text.c_str(); }
    const std::string& str() const { return m_text; }

    // Concatenation.
    CString& operator+=(const CString& other);
    CString& operator+=(const char* text);
    CString& operator+=(char ch);
    CString& Append(const char* text, int length);
    friend CString operator+(const CString& a, const CString& b);
    friend CString operator+(const CString& a, const char* b);
    friend CString operator+(const char* a, const CString& b);
    friend CString operator+(const CString& a, char b);
    friend CString operator+(char a, const CString& b);

    // Comparison (byte-wise; NoCase folds ASCII letters).
    int Compare(const char* text) const;
    int CompareNoCase(const char* text) const;
    int Collate(const char* text) const { return Compare(text); }
    int CollateNoCase(const char* text) const { return CompareNoCase(text); }

    // Extraction; out-of-range counts are clamped as the class library does.
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;
    CString Right(int count) const;
    CString SpanIncluding(const char* charSet) const;
    CString SpanExcluding(const char* charSet) const;
    CString Tokenize(const char* tokens, int& start) const;

    // Changes in place.
    void MakeUpper();
    void MakeLower();
    void MakeReverse();
    int Replace(char oldCh, char newCh);
    int Replace(const char* oldText, const char* newText);
    int Remove(char ch);
    int Insert(int index, char ch);
    int Insert(int index, const char* text);
    int Delete(int index, int count = 1);
    CString& TrimLeft();
    CString& TrimLeft(char target);
    CString& TrimLeft(const char* targets);
    CString& TrimRight();
    CString& TrimRight(char target);
    CString& TrimRight(const char* targets);
    CString& Trim();
    CString& Trim(char target);
    CString& Trim(const char* targets);

    // Searching; -1 when not found.
    int Find(char ch, int start = 0) const;
    int Find(const char* text, int start = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(const char* charSet) const;

    // Formatting through printf rules.
    void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void FormatV(const char* format, va_list args);
    void AppendFormat(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // Direct buffer access: the length is fixed again by ReleaseBuffer.
    char* GetBuffer(int minLength = 0);
    char* GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);
    void Preallocate(int length) { m_text.reserve(length > 0 ? length : 0); }
    void FreeExtra() { m_text.shrink_to_fit(); }

    // Text from the program's string resources; false when the id is absent.
    BOOL LoadString(UINT id);

private:
    std::string m_text;
};

bool operator==(const CString& a, const CString& b);
bool operator==(const CString& a, const char* b);
bool operator==(const char* a, const CString& b);
bool operator!=(const CString& a, const CString& b);
bool operator!=(const CString& a, const char* b);
bool operator!=(const char* a, const CString& b);
bool operator<(const CString& a, const CString& b);
bool operator>(const CString& a, const CString& b);
bool operator<=(const CString& a, const CString& b);
bool operator>=(const CString& a, const CString& b);
