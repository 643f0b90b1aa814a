// CAppearanceDialog: the modal choice of the score's background picture, the skin and the language
// (template 187); the caller reads the three chosen list positions afterwards.
#include "composer/appearance_dialog.h"

#include "imaging/raster_image.h"
#include "services/app_folder.h"
#include "services/file_exists.h"
#include "services/file_prompt.h"
#include "services/ini_file.h"
#include "services/language_text.h"
#include "services/numbered_text.h"
#include "services/settings_ini.h"
#include "services/skin_format_text.h"
#include "services/tone_tables.h"

namespace {

constexpr int kTitleTextId = 1176;
constexpr int kLanguageTextId = 1177;
constexpr int kSkinTextId = 1178;
// The background entries' numbered texts; the first is a format for the image number.
constexpr int kDefaultImageText = 200;
constexpr int kOwnPictureText = 201;
constexpr int kBlankBackgroundText = 202;

// Adds the [common] "name" of each numbered ini file that exists, in number order.
void AddNames(CListBox& list, int count, const char* pattern)
{
    for (int i = 1; i <= count; ++i) {
        CString path;
        path.Format(pattern, static_cast<const char*>(GetAppFolder()), i);
        if (!FileExists(path))
            continue;
        CIniFile ini(path);
        ini.SetSection("common");
        list.AddString(ini.GetString("name", "NULL"));
    }
}

}  // namespace

BEGIN_MESSAGE_MAP(CAppearanceDialog, CDialog)
ON_LBN_SELCHANGE(CAppearanceDialog::kBackgroundListId, CAppearanceDialog::OnSelChangeBackground)
ON_LBN_SELCHANGE(CAppearanceDialog::kLanguageListId, CAppearanceDialog::OnSelChangeLanguage)
ON_LBN_SELCHANGE(CAppearanceDialog::kSkinListId, CAppearanceDialog::OnSelChangeSkin)
END_MESSAGE_MAP()

CAppearanceDialog::CAppearanceDialog(int languageIndex, int skinIndex, CWnd* parent)
    : CDialog(IDD, parent),
      m_nBackground(CSettingsIni().GetInt("main", "background")),
      m_nLanguage(languageIndex),
      m_nSkin(skinIndex)
{
}

void CAppearanceDialog::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, kSkinListId, m_skinList);
    DDX_Control(dx, kLanguageListId, m_languageList);
    DDX_Control(dx, kBackgroundListId, m_backgroundList);
}

BOOL CAppearanceDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    const CString title = GetLanguageText("IDS_SCORE_CHANGEBG");
    SetWindowText(title);
    SetDlgItemText(kTitleTextId, title);
    SetDlgItemText(IDOK, GetLanguageText("ok"));
    SetDlgItemText(IDCANCEL, GetLanguageText("cancel"));
    SetDlgItemText(kLanguageTextId, GetLanguageText("lang"));
    SetDlgItemText(kSkinTextId, GetLanguageText("skin"));

    for (int n = 1; n <= 4; ++n)
        m_backgroundList.AddString(FormatSkinText(GetNumberedText(kDefaultImageText), "d", n));
    m_backgroundList.AddString(GetNumberedText(kOwnPictureText));
    m_backgroundList.AddString(GetNumberedText(kBlankBackgroundText));
    m_backgroundList.SetCurSel(m_nBackground);

    CIniFile common(GetAppFolder() + "common.ini");
    common.SetSection("common");
    AddNames(m_skinList, common.GetInt("totalskin", 0), "%sskin-com\\skin-%d\\skin.ini");
    m_skinList.SetCurSel(m_nSkin);
    AddNames(m_languageList, common.GetInt("language", 0), "%slang\\lang%03d.ini");
    m_languageList.SetCurSel(m_nLanguage);
    return TRUE;
}

void CAppearanceDialog::OnSelChangeSkin() { m_nSkin = m_skinList.GetCurSel(); }

void CAppearanceDialog::OnSelChangeLanguage() { m_nLanguage = m_languageList.GetCurSel(); }

void CAppearanceDialog::ResetBackground()
{
    m_nBackground = 0;
    m_backgroundList.SetCurSel(0);
}

void CAppearanceDialog::OnSelChangeBackground()
{
    m_nBackground = m_backgroundList.GetCurSel();
    if (m_nBackground != kMyPicture)
        return;
    const CString path = PromptForFileName(TRUE, "jpg", "JPEG");
    if (path.IsEmpty() || !MakeOwnBackground(path))
        ResetBackground();
}

bool CAppearanceDialog::MakeOwnBackground(const CString& path)
{
    CRasterImage picture(RASTER_TYPE_JPEG);
    if (!picture.LoadFile(path, RASTER_TYPE_JPEG))
        return false;
    // Lightened onto 180..255 so that the notes stay readable on it.
    BYTE table[256];
    BuildBrightnessTable(180.0f, 0, 0, 255, 255, table);
    picture.ApplyChannelTable(table, 0);
    return picture.SaveFile(GetAppFolder() + "tempbg.jpg", RASTER_TYPE_JPEG);
}
