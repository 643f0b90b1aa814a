// Language-text lookup through common.ini and lang\langNNN.ini.
#include "services/language_text.h"

#include "services/app_folder.h"
#include "services/composer_globals.h"
#include "services/ini_file.h"

CString GetLanguageText(const char* key)
{
    CIniFile common(GetAppFolder() + "common.ini");
    common.SetSection("stringtip");
    return TranslateText(common.GetString(key, "NULL"));
}

CString TranslateText(const CString& text)
{
    const MainDialogLink& dialog = GetMainDialogLink();
    if (!dialog.pDialog || text.IsEmpty() || text[0] != 'x')
        return text;

    CString folder = GetAppFolder();
    CIniFile common(folder + "common.ini");
    common.SetSection("common");
    int language = common.GetInt("curlang", 0);
    if (dialog.pLanguage)
        *dialog.pLanguage = language;

    CString path;
    path.Format("%slang\\lang%03d.ini", folder.GetString(), language);
    CIniFile current(path);
    current.SetSection("lanstring");
    CString result = current.GetString(text, "NULL");
    if (current.IsMissing()) {
        CIniFile fallback(folder + "lang\\lang001.ini");
        fallback.SetSection("lanstring");
        result = fallback.GetString(text, "NULL");
    }
    return result;
}
