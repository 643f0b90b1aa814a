// CSettingsIni and the two free ini functions.
#include "services/settings_ini.h"

#include "kernel/profile.h"
#include "services/app_folder.h"
#include "services/user_settings.h"
#include "services/utf8_cut.h"

CSettingsIni::CSettingsIni() : m_strFileName("common.ini"), m_bFullPath(0) {}

void CSettingsIni::SetPath(const CString& path)
{
    m_strFileName = path;
    m_bFullPath = 1;
}

CString CSettingsIni::FilePath() const { return m_bFullPath ? m_strFileName : GetAppFolder() + m_strFileName; }

static bool WriteSetting(const char* section, const char* key, const char* value, const CString& path)
{
    const CString file = SettingsFileToWrite(path);
    return !file.IsEmpty() && WritePrivateProfileString(section, key, value, file);
}

CString CSettingsIni::GetString(const char* section, const char* key)
{
    const DWORD size = 4096;
    CString text;
    char* buffer = text.GetBufferSetLength(static_cast<int>(size));
    DWORD copied = GetPrivateProfileString(section, key, "", buffer, size, SettingsFileToRead(FilePath()));
    if (copied >= size - 1)
        copied = static_cast<DWORD>(Utf8CompleteLength(buffer, size - 1));
    text.ReleaseBuffer(static_cast<int>(copied));
    return text;
}

int CSettingsIni::GetInt(const char* section, const char* key)
{
    return static_cast<int>(GetPrivateProfileInt(section, key, 0, SettingsFileToRead(FilePath())));
}

bool CSettingsIni::WriteString(const char* section, const char* key, const char* value)
{
    return WriteSetting(section, key, value, FilePath());
}

bool CSettingsIni::WriteInt(const char* section, const char* key, int value)
{
    CString text;
    text.Format("%d", value);
    return WriteString(section, key, text);
}

bool WriteIniInt(const char* path, const char* section, const char* key, int value)
{
    CString text;
    text.Format("%d", value);
    return WriteSetting(section, key, text, path);
}

int GetIniInt(const char* path, const char* section, const char* key)
{
    return static_cast<int>(GetPrivateProfileInt(section, key, 0, SettingsFileToRead(path)));
}
