// CComposerDlg: opening a song, the appearance chooser, the note zoom and the page settings of a new song.
#include <cmath>

#include "composer/appearance_dialog.h"
#include "composer/composer_dlg.h"
#include "composer/legacy_language.h"
#include "scoreview/note_zoom_dialog.h"
#include "services/app_folder.h"
#include "services/default_printer.h"
#include "services/ini_file.h"
#include "services/registry_version.h"
#include "services/settings_ini.h"
#include "ui/file_dialog.h"

void CComposerDlg::OnOpenSong(CString path)
{
    if (!m_scoreView.PromptSaveIfStopped())
        return;
    if (path.IsEmpty()) {
        CFileDialog dialog(TRUE, "mid", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                           "Music Files(*.mid,*.mmf)|*.mid;*.mmf|MIDI Files (*.mid)|*.mid|SMAF Files (*.mmf)|*.mmf||",
                           this);
        if (dialog.DoModal() != IDOK)
            return;
        path = dialog.GetPathName();
    }
    CString extension = path.Right(3);
    extension.MakeLower();
    if (extension != "mid" && extension != "mmf" && extension != "sms")
        return;
    if (m_scoreView.OpenScoreFile(path, 0) != 0)
        return;
    SetViewMode(0);
    m_scoreView.Stop();
    m_scoreView.ZoomReset();
    m_scoreView.ScrollTo(0, 0);
    SendMessage(WM_SKINCOMMAND, NOTIFY_SCORE_VIEW, VIEW_TRACKS_CHANGED);
}

void CComposerDlg::OnAppearance()
{
    CAppearanceDialog dialog(m_nLanguage - 1, m_nSkin - 1, nullptr);
    if (dialog.DoModal() == IDCANCEL)
        return;
    ApplyAppearance(dialog.m_nLanguage + 1, dialog.m_nSkin + 1, dialog.m_nBackground);
}

void CComposerDlg::ApplyAppearance(int language, int skin, int background)
{
    CIniFile ini(GetAppFolder() + "common.ini");
    ini.SetSection("common");
    bool changed = false;
    if (language != m_nLanguage) {
        m_nLanguage = language;
        ini.WriteInt("curlang", m_nLanguage);
        FollowCurrentLanguage();
        changed = true;
    }
    if (skin != m_nSkin) {
        m_nSkin = skin;
        ini.WriteInt("skin", m_nSkin);
        changed = true;
    }
    CSettingsIni().WriteInt("main", "background", background);
    m_scoreView.LoadBackground();
    if (changed) {
        LayoutControls();
        // The controls were re-skinned where they stand, which repaints nothing by itself: every one is painted
        // afresh on its erased background, so that no old caption stays under or instead of the new one.
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
}

void CComposerDlg::OnNoteZoom()
{
    CScore& song = m_scoreView.score;
    CNoteZoomDialog dialog(song.timeScale, nullptr);
    if (dialog.DoModal() == IDCANCEL)
        return;
    const double scale = dialog.m_percent / 100.0;
    if (scale == song.timeScale)
        return;
    song.ScaleTimes(scale);
    m_scoreView.RefreshScore();
    song.modified = 1;
}

void CComposerDlg::ReadPaperSettings()
{
    CIniFile ini(GetAppFolder() + "kestrin.ini");
    ini.SetSection("main");
    m_nDpi = ini.GetInt("dpi", 360);
    const int paper = ini.GetInt("curpaper", 2);
    ini.SetSection("paper");
    CString key;
    key.Format("paperx%02d", paper);
    m_nPaperWidth = ini.GetInt(key, 210);
    key.Format("papery%02d", paper);
    m_nPaperHeight = ini.GetInt(key, 310);
    // The page takes the size of the view's window; the paper keys do not reach it.
    CRect view;
    m_scoreView.GetWindowRect(&view);
    m_scoreView.SetPageSize(view.Width(), view.Height());
    m_scoreView.ZoomReset();
}

void CComposerDlg::PreparePrintout()
{
    int paperWidth = 0, paperHeight = 0;
    CreateDefaultPrinterDC(this, &paperWidth, &paperHeight);
    const int pageWidth = m_scoreView.pageWidth, pageHeight = m_scoreView.pageHeight;
    if (paperHeight > 0 && pageWidth > 0 && pageHeight > 0) {
        if (static_cast<double>(paperWidth) / paperHeight < static_cast<double>(pageWidth) / pageHeight)
            paperHeight = paperWidth * pageHeight / pageWidth;
        else
            paperWidth = paperHeight * pageWidth / pageHeight;
    }
    m_scoreView.ZoomTo(2.0);
    m_scoreView.suppressEditHandles = 1;
    m_scoreView.pageIndex = 0;
    for (int page = 0; page < m_scoreView.pageCount; ++page)
        m_scoreView.ScrollBeats(1);
    m_scoreView.suppressEditHandles = 0;
    m_scoreView.ZoomToFit();
    m_scoreView.pageIndex = 0;
    m_scoreView.ScrollBeats(1);
}

void CComposerDlg::DrawVersionText(CDC* dc)
{
    CIniFile ini(GetAppFolder() + "kestrin.ini");
    ini.SetSection("main");
    CString version;
    version.Format("version %4.2f", std::sqrt(ini.GetDouble("vers", 4.0)));
    WriteRegistryVersion(g_strProductTitle, version);
    CFont font;
    font.CreateFont(12, 5, 0, 0, 550, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                    DEFAULT_QUALITY, DEFAULT_PITCH, "Arial");
    CFont* old = dc->SelectObject(&font);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(RGB(255, 255, 255));
    dc->TextOut(237, 12, version);
    dc->SelectObject(old);
}
