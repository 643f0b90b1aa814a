// Choosing the numbered-text file of the current language.
#include "composer/legacy_language.h"

#include "services/app_folder.h"
#include "services/file_finder.h"
#include "services/ini_file.h"
#include "services/numbered_text.h"

void FollowCurrentLanguage()
{
    CIniFile common(GetAppFolder() + "common.ini");
    common.SetSection("common");
    CString path;
    path.Format("%slang\\lang%03d.ini", GetAppFolder().GetString(), common.GetInt("curlang", 1));
    CIniFile language(path);
    language.SetSection("common");
    const CString name = language.GetString("name", "");
    g_strLegacyLanguage = "English";
    CFileFinder finder;
    finder.FindFiles(GetAppFolder() + "lan\\", "*.txt", TRUE, 0, FALSE, nullptr, nullptr);
    for (int i = 0; i < finder.GetSize(); ++i) {
        const CString file = finder[i].m_strPath;
        if (name.IsEmpty() || GetNumberedTextFromFile(file, 1) != name)
            continue;
        const int slash = file.ReverseFind('\\');
        g_strLegacyLanguage = file.Mid(slash + 1, file.ReverseFind('.') - slash - 1);
        return;
    }
}
