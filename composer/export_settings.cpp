// The composer's export settings in common.ini.
#include "composer/export_settings.h"

#include "kernel/file_api.h"
#include "services/documents_folder.h"
#include "services/log_writer.h"
#include "services/settings_ini.h"

const int g_nCurrentExportFormat = 6;

ExportSettings ReadExportSettings()
{
    ExportSettings settings;
    CString section;
    section.Format("format%d", g_nCurrentExportFormat);
    CSettingsIni ini;
    settings.nSample = ini.GetInt(section, "sample");
    settings.nBitrate = ini.GetInt(section, "bitrate");
    settings.nChannel = ini.GetInt(section, "channel");
    settings.strFolder = ini.GetString("common", "desdir");
    if (settings.strFolder.IsEmpty()) {
        settings.strFolder = GetDocumentsFolder() + "Tonwick\\";
        CreateDirectory(settings.strFolder, nullptr);
    } else {
        // Output names are appended to the folder directly.
        settings.strFolder = WithTrailingBackslash(settings.strFolder);
    }
    return settings;
}

CString WithTrailingBackslash(const CString& strFolder)
{
    if (strFolder.IsEmpty() || strFolder[strFolder.GetLength() - 1] != '\\')
        return strFolder + "\\";
    return strFolder;
}

CString StoreExportFolder(const CString& strChosen)
{
    CString folder = WithTrailingBackslash(strChosen);
    CSettingsIni().WriteString("common", "desdir", folder);
    WriteLog(folder);
    return folder;
}
