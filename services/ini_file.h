// CIniFile: typed reads and writes of one section of one ini file, telling missing values apart. A settings
// file of the program folder is read from and written to the user's copy (services/user_settings.h).
#pragma once

#include "kernel/cstring.h"
#include "kernel/geometry.h"

// The profile default passed on every read, so that a missing key can be told from any real value.
extern const char* const kIniNotFoundMarker;

class CIniFile {
public:
    explicit CIniFile(const CString& path);
    virtual ~CIniFile();

    void SetSection(const CString& section);
    // 1 when the last read found no usable value.
    int IsMissing() const { return m_nMissing; }

    // A missing or empty value gives the default and sets the missing flag.
    CString GetString(const char* key, const char* defaultValue);
    int GetInt(const char* key, int defaultValue);
    double GetDouble(const char* key, double defaultValue);
    // "left,top,width,height"; only a missing key gives the default, an empty value (0, 0, 0, 0).
    CRect GetRect(const char* key, const RECT& defaultValue);

    // Each write answers whether the value reached the file.
    bool WriteString(const char* key, const char* value);
    bool WriteInt(const char* key, int value);
    bool WriteDouble(const char* key, double value);
    bool WriteRect(const char* key, const RECT& value);

    // The same with the key Format("%s%d", name, index).
    CString GetIndexedString(const char* name, int index, const char* defaultValue);
    int GetIndexedInt(const char* name, int index, int defaultValue);
    double GetIndexedDouble(const char* name, int index, double defaultValue);
    CRect GetIndexedRect(const char* name, int index, const RECT& defaultValue);
    bool WriteIndexedString(const char* name, int index, const char* value);
    bool WriteIndexedInt(const char* name, int index, int value);
    bool WriteIndexedDouble(const char* name, int index, double value);
    bool WriteIndexedRect(const char* name, int index, const RECT& value);

private:
    static CString IndexedKey(const char* name, int index);

    int m_nMissing = 0;
    CString m_strPath;
    CString m_strSection;
};
