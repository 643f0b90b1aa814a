// CIniFile: the ini accessor behind every settings, language and skin read.
#include "services/ini_file.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "kernel/profile.h"
#include "services/user_settings.h"
#include "services/utf8_cut.h"

const char* const kIniNotFoundMarker = "00019000*()*^654%";

// Reads a value into a buffer of size bytes; a value cut by the buffer keeps whole UTF-8 characters.
static CString ReadProfileText(const CString& section, const char* key, const CString& path, DWORD size)
{
    CString text;
    char* buffer = text.GetBufferSetLength(static_cast<int>(size));
    DWORD copied = GetPrivateProfileString(section, key, kIniNotFoundMarker, buffer, size, SettingsFileToRead(path));
    if (copied >= size)
        copied = size - 1;
    text.ReleaseBuffer(static_cast<int>(copied == size - 1 ? Utf8CompleteLength(buffer, copied) : copied));
    return text;
}

static int ClampToInt(long long value) { return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX)); }

CIniFile::CIniFile(const CString& path) : m_strPath(path) {}

CIniFile::~CIniFile() = default;

void CIniFile::SetSection(const CString& section) { m_strSection = section; }

CString CIniFile::GetString(const char* key, const char* defaultValue)
{
    CString value = ReadProfileText(m_strSection, key, m_strPath, 999);
    if (value == kIniNotFoundMarker || value.IsEmpty()) {
        m_nMissing = 1;
        return CString(defaultValue);
    }
    m_nMissing = 0;
    return value;
}

int CIniFile::GetInt(const char* key, int defaultValue)
{
    CString value = GetString(key, "0");
    return m_nMissing ? defaultValue : std::atoi(value);
}

double CIniFile::GetDouble(const char* key, double defaultValue)
{
    CString value = GetString(key, "0.0");
    return m_nMissing ? defaultValue : std::atof(value);
}

CRect CIniFile::GetRect(const char* key, const RECT& defaultValue)
{
    CString value = ReadProfileText(m_strSection, key, m_strPath, 100);
    if (value == kIniNotFoundMarker) {
        m_nMissing = 1;
        return CRect(defaultValue);
    }
    m_nMissing = 0;
    // Numbers beyond the int range, and right and bottom edges beyond it, are held at its ends.
    long long numbers[4] = {0, 0, 0, 0};
    char* context = nullptr;
    char* piece = strtok_r(value.GetBuffer(), ",", &context);
    for (int i = 0; i < 4 && piece; i++) {
        numbers[i] = ClampToInt(std::strtoll(piece, nullptr, 10));
        piece = strtok_r(nullptr, ",", &context);
    }
    return CRect(static_cast<int>(numbers[0]), static_cast<int>(numbers[1]), ClampToInt(numbers[0] + numbers[2]),
                 ClampToInt(numbers[1] + numbers[3]));
}

bool CIniFile::WriteString(const char* key, const char* value)
{
    const CString file = SettingsFileToWrite(m_strPath);
    return !file.IsEmpty() && WritePrivateProfileString(m_strSection, key, value, file);
}

bool CIniFile::WriteInt(const char* key, int value)
{
    CString text;
    text.Format("%d", value);
    return WriteString(key, text);
}

bool CIniFile::WriteDouble(const char* key, double value)
{
    CString text;
    text.Format("%f", value);
    return WriteString(key, text);
}

bool CIniFile::WriteRect(const char* key, const RECT& value)
{
    CString text;
    text.Format("%d,%d,%d,%d", value.left, value.top, value.right - value.left, value.bottom - value.top);
    return WriteString(key, text);
}

CString CIniFile::IndexedKey(const char* name, int index)
{
    CString key;
    key.Format("%s%d", name, index);
    return key;
}

CString CIniFile::GetIndexedString(const char* name, int index, const char* defaultValue)
{
    return GetString(IndexedKey(name, index), defaultValue);
}

int CIniFile::GetIndexedInt(const char* name, int index, int defaultValue)
{
    return GetInt(IndexedKey(name, index), defaultValue);
}

double CIniFile::GetIndexedDouble(const char* name, int index, double defaultValue)
{
    return GetDouble(IndexedKey(name, index), defaultValue);
}

CRect CIniFile::GetIndexedRect(const char* name, int index, const RECT& defaultValue)
{
    return GetRect(IndexedKey(name, index), defaultValue);
}

bool CIniFile::WriteIndexedString(const char* name, int index, const char* value)
{
    return WriteString(IndexedKey(name, index), value);
}

bool CIniFile::WriteIndexedInt(const char* name, int index, int value)
{
    return WriteInt(IndexedKey(name, index), value);
}

bool CIniFile::WriteIndexedDouble(const char* name, int index, double value)
{
    return WriteDouble(IndexedKey(name, index), value);
}

bool CIniFile::WriteIndexedRect(const char* name, int index, const RECT& value)
{
    return WriteRect(IndexedKey(name, index), value);
}
