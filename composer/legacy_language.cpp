// Choosing the numbered-text file of a language.
#include "composer/legacy_language.h"

#include "services/app_folder.h"
#include "services/file_finder.h"
#include "services/ini_file.h"
#include "services/numbered_text.h"

int FindLegacyLanguage(const CString& language, std::vector<CString>* names)
{
    CFileFinder finder;
    finder.FindFiles(GetAppFolder() + "lan\\", "*.txt", TRUE, 0, FALSE, nullptr, nullptr);
    int found = -1;
    for (int i = 0; i < finder.GetSize(); ++i) {
        const CString path = finder[i].m_strPath;
        const int slash = path.ReverseFind('\\');
        int dot = path.ReverseFind('.');
        if (dot < slash)
            dot = path.GetLength();
        names->push_back(path.Mid(slash + 1, dot - slash - 1));
        if (found < 0 && GetNumberedTextFromFile(path, 1) == language)
            found = i;
    }
    return found;
}

void FollowCurrentLanguage()
{
    CIniFile common(GetAppFolder() + "common.ini");
    common.SetSection("common");
    CString path;
    path.Format("%slang\\lang%03d.ini", GetAppFolder().GetString(), common.GetInt("curlang", 1));
    CIniFile language(path);
    language.SetSection("common");
    const CString name = language.GetString("name", "");
    std::vector<CString> names;
    const int found = name.IsEmpty() ? -1 : FindLegacyLanguage(name, &names);
    g_strLegacyLanguage = found < 0 ? CString("English") : names[(size_t)found];
}
