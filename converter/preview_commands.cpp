// CConverterDlg: the preview commands: open, play (whole file or clip), pause, stop and close.
#include "converter/batch_row.h"
#include "converter/converter_dlg.h"
#include "converter/preview_player.h"
#include "services/file_exists.h"
#include "services/log_writer.h"
#include "services/private_temp.h"

void CConverterDlg::OpenInPreview(CString path)
{
    if (g_previewState == 2)
        ClosePreview();
    m_playerMedia.Empty();
    if (!PreviewOpenFile(path))
        return;
    m_playerMedia = path;
    CWnd* frame = CWnd::FromHandle(m_previewWnd);
    if (!g_previewAudioOnly)
        PreviewPlaceVideo(frame);
    PreviewSetPosition(m_rangeBar.m_dPos * m_duration * 0.01);
    ::ShowWindow(m_previewWnd, g_previewAudioOnly ? SW_HIDE : SW_SHOW);
}

void CConverterDlg::PlayPreview()
{
    if (g_previewState == 2) {
        StopPreview();
        return;
    }
    if (m_fileList.GetItemCount() == 0 || m_currentMedia.IsEmpty())
        return;
    WriteLog("Play - ", m_currentMedia);
    const CString wave = GetPreviewWavePath(GetPrivateTempFolder(), m_currentMedia);
    const CString file = FileExists(wave) ? wave : m_currentMedia;
    if (file.CompareNoCase(m_playerMedia) == 0) {
        PreviewPlay();
        return;
    }
    OpenInPreview(file);
    SetTimer(TIMER_PREVIEW_POSITION, 100, nullptr);
    if (m_clipMode != 1)
        return;
    if (m_fadeIn)
        PreviewSetVolume(0);
    m_rangeBar.m_dPos = m_rangeBar.m_dStart;
    if (g_previewState == 2)
        PreviewSetPosition(m_rangeBar.m_dPos * m_duration * 0.01);
    m_rangeBar.Invalidate();
}

void CConverterDlg::PausePreview()
{
    if (m_fileList.GetItemCount() > 0 && !m_playerMedia.IsEmpty())
        PreviewPause();
}

void CConverterDlg::StopPreview()
{
    PreviewStop();
    m_playerMedia.Empty();
    KillTimer(TIMER_PREVIEW_POSITION);
    m_rangeBar.m_dPos = 0;
    m_rangeBar.Invalidate();
}

void CConverterDlg::ClosePreview()
{
    m_startMark = 0;
    m_endMark = 0;
    PreviewCloseClip();
}
