// CSettingsIni: plain reads and writes of a program-folder ini file, the section given per call; the file the
// user's settings go to is the user's copy (services/user_settings.h).
#pragma once

#include "kernel/cstring.h"

class CSettingsIni {
public:
    CSettingsIni();

    // The given text becomes the whole path instead of program folder + "common.ini".
    void SetPath(const CString& path);

    // "" and 0 for a missing key.
    CString GetString(const char* section, const char* key);
    int GetInt(const char* section, const char* key);
    // Each write answers whether the value reached the file.
    bool WriteString(const char* section, const char* key, const char* value);
    bool WriteInt(const char* section, const char* key, int value);

private:
    CString FilePath() const;

    CString m_strFileName;
    int m_bFullPath;
};

// The same reads and writes on an explicitly named file.
bool WriteIniInt(const char* path, const char* section, const char* key, int value);
int GetIniInt(const char* path, const char* section, const char* key);
