// Skin-element lookup in the current skin's skin.ini.
#include "services/skin_element.h"

#include "services/app_folder.h"
#include "services/composer_globals.h"
#include "services/deliverable.h"
#include "services/ini_file.h"
#include "services/language_text.h"

static COLORREF ColourOf(const CRect& numbers) { return RGB(numbers.left, numbers.top, numbers.Width()); }

CString GetSkinFolder(int skin)
{
    CString folder;
    folder.Format(IsConverterDeliverable() ? "%sskin\\skin-%d\\" : "%sskin-com\\skin-%d\\", GetAppFolder().GetString(),
                  skin);
    return folder;
}

void LoadSkinElement(int element, CSkinElement* out)
{
    const MainDialogLink& dialog = GetMainDialogLink();
    int skin = 1;
    if (dialog.pDialog) {
        CIniFile common(GetAppFolder() + "common.ini");
        common.SetSection("common");
        skin = common.GetInt("skin", 0);
        if (skin == 0)
            skin = 1;
        if (dialog.pSkin)
            *dialog.pSkin = skin;
    }

    CString folder = GetSkinFolder(skin);
    CIniFile ini(folder + "skin.ini");
    const RECT zero = {0, 0, 0, 0};

    ini.SetSection("common");
    CRect trans = ini.GetRect("transcolor", zero);
    if (dialog.pDialog) {
        if (dialog.pTransparent)
            *dialog.pTransparent = ColourOf(trans);
        if (IsConverterDeliverable() && dialog.pTransparentHigh)
            *dialog.pTransparentHigh = ColourOf(ini.GetRect("transcolor2", zero));
        g_crSkinTransparent = dialog.pTransparent ? *dialog.pTransparent : ColourOf(trans);
    } else {
        g_crSkinTransparent = 0;
    }

    CString section;
    section.Format("textbtn%02d", element);
    ini.SetSection(section);
    out->position = ini.GetRect("position", zero);
    out->bgimage = folder + ini.GetString("bgimage", "NULL");
    out->title = TranslateText(ini.GetString("title", "NULL"));
    out->tip = TranslateText(ini.GetString("tip", "NULL"));
    out->fntname = TranslateText(ini.GetString("fntname", "NULL"));
    out->fntsize = ini.GetInt("fntsize", 0);
    out->fntcolorNumbers = ini.GetRect("fntcolor", zero);
    out->fntcolor = ColourOf(out->fntcolorNumbers);
    if (out->fntname.Find('.') >= 0)
        out->fntname = folder + ini.GetString("fntname", "NULL");
}
