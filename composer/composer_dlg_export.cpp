// CComposerDlg: the ringtone export command and the export settings (folder, quality, fade time, fixed duration).
#include <algorithm>

#include "composer/composer_dlg.h"
#include "composer/elided_path.h"
#include "composer/export_done_dialog.h"
#include "composer/export_settings.h"
#include "composer/ringtone_export.h"
#include "kernel/path_map.h"
#include "services/ini_file.h"
#include "services/app_folder.h"
#include "services/language_text.h"
#include "services/log_writer.h"
#include "services/settings_ini.h"
#include "services/skin_format_text.h"
#include "skinui/about_dialog.h"
#include "ui/shellapi.h"

namespace {

// The fixed duration: 30 seconds.
constexpr double kFixedSeconds = 30.0;
// A left-aligned label starts its text this far in; the same is kept free at the right.
constexpr int kLabelIndent = 8;

}  // namespace

void CComposerDlg::ExportRingtone(CString outputPath)
{
    if (m_bExporting || IsRingtoneExportRunning()) {
        WriteLog("Export refused: an export is running");
        return;
    }
    CScore& song = m_scoreView.score;
    RingtoneExportRequest request;
    request.pSong = &song;
    request.pRangeStart = &song.loopStart;
    request.pRangeEnd = &song.loopEnd;
    request.strExportFolder = m_strExportFolder;
    request.strSongPath = song.fileName;
    request.strTargetPath = outputPath;
    request.strLastOutput = m_strLastOutput;
    request.nFadeTime = m_nFadeTime;
    request.bFadeIn = m_bFadeIn;
    request.bFadeOut = m_bFadeOut;
    request.pProgressDialog = m_pProgressDialog;
    m_bExporting = 1;
    RingtoneExportResult result = RunRingtoneExport(request);
    m_bExporting = 0;
    if (result.bRefused)
        return;
    m_strLastOutput = result.strAutomaticName;
    // Only a ringtone that was written is announced; a failure has been reported by the export.
    if (outputPath.IsEmpty() && result.bWritten) {
        CExportDoneDialog done(result.strOutputPath, GetLanguageText("kvtdone"), nullptr);
        done.DoModal();
    }
}

void CComposerDlg::ChooseExportFolder()
{
    char display[MAX_PATH] = "";
    BROWSEINFO info{};
    info.hwndOwner = GetSafeHwnd();
    info.pszDisplayName = display;
    info.lpszTitle = m_strExportFolder;
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST list = SHBrowseForFolder(&info);
    if (!list)
        return;
    char path[MAX_PATH] = "";
    const BOOL found = SHGetPathFromIDList(list, path);
    CoTaskMemFree(list);
    if (!found)
        return;
    m_strExportFolder = StoreExportFolder(path);
    ApplyExportSettings();
}

void CComposerDlg::ApplyExportSettings()
{
    ExportSettings settings = ReadExportSettings();
    m_nExportSample = settings.nSample;
    m_nExportBitrate = settings.nBitrate;
    m_nExportChannel = settings.nChannel;
    m_strExportFolder = settings.strFolder;
    ShowExportFolder();
}

void CComposerDlg::ShowExportFolder()
{
    CSkinLabel& label = m_labels[LBL_EXPORT_FOLDER];
    if (!label.GetSafeHwnd())
        return;
    CSkinElement element;
    LoadSkinElement(15, &element);
    CRect r;
    label.GetClientRect(&r);
    // The label shrinks its font to fit the text: a long folder loses its middle instead, at full size.
    const int cellWidth = std::max(1, element.fntsize / 2);
    const int cells = (r.Width() - 2 * kLabelIndent) / cellWidth;
    label.SetText(ElidePathMiddle(DisplayPath(m_strExportFolder.GetString()).c_str(),
                                  [cells](const CString& text) { return CSkinLabel::TextCells(text) <= cells; }));
}

void CComposerDlg::ToggleFixedDuration()
{
    m_bFixedDuration = (m_bFixedDuration + 1) % 2;
    CIniFile ini(GetAppFolder() + "common.ini");
    ini.SetSection("common");
    ini.WriteInt("fixsize", m_bFixedDuration);
    if (m_bFixedDuration) {
        const int seconds = SongSecondsBetween(m_scoreView.score, 0, m_scoreView.score.UpdateScoreLength());
        if (seconds != 0) {
            const double span = kFixedSeconds * 100.0 / seconds;
            if (m_rangeBar.m_dEnd - m_rangeBar.m_dStart > span)
                m_rangeBar.m_dEnd = m_rangeBar.m_dStart + span;
        }
    }
    ApplyRangeBarRange();
    if (m_rangeBar.GetSafeHwnd())
        m_rangeBar.Invalidate(FALSE);
    WriteLog(m_bFixedDuration ? "Check fix duration." : "Uncheck fix duration.");
}

void CComposerDlg::ApplyFadeTime(BOOL log)
{
    CSettingsIni().WriteInt("common", "fidetime", m_nFadeTime);
    LoadSkinElement(37, &m_skinElement);
    const CString text = FormatSkinText(m_skinElement.title, "d", m_nFadeTime);
    if (m_fadeLabel.GetSafeHwnd())
        m_fadeLabel.SetText(text);
    if (m_bFixedDuration) {
        const int seconds = SongSecondsBetween(m_scoreView.score, 0, m_scoreView.score.UpdateScoreLength());
        if (seconds != 0) {
            m_dFixedSpan = kFixedSeconds * 100.0 / seconds;
            if (m_rangeBar.m_dEnd - m_rangeBar.m_dStart > m_dFixedSpan)
                m_rangeBar.m_dEnd = m_rangeBar.m_dStart + m_dFixedSpan;
        }
        ApplyRangeBarRange();
    }
    if (log)
        WriteLog("Drag fade bar - ", text);
}

void CComposerDlg::ShowAboutBox()
{
    LoadSkinElement(42, &m_skinElement);
    CAboutDialog about(m_skinElement.tip, nullptr);
    about.DoModal();
}
