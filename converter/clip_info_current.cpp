// CConverterDlg: the current media file's clip: reading and writing its clip-info file, the range bar and labels.
#include "converter/clip_info_durations.h"
#include "converter/clip_info_file.h"
#include "converter/clip_range.h"
#include "converter/converter_dlg.h"
#include "converter/file_list_rows.h"
#include "converter/preview_player.h"
#include "audio/ffmpeg_process.h"
#include "services/log_writer.h"
#include "services/rounding.h"

double CConverterDlg::GetMediaDuration(const CString& mediaPath)
{
    double duration = 0;
    if (FindMediaDuration(mediaPath, &duration))
        return duration;
    // The runs pump messages: a click may reach a command meanwhile, which must not change the list under them.
    ++m_measuring;
    CFfmpegProcess probe(mediaPath, nullptr);
    // The header's duration of an mp3 is an estimate; its decoded wave is measured instead.
    if (probe.m_strAudioInfo == "mp3" && probe.m_strVideoInfo.IsEmpty())
        duration = MakePreviewWave(mediaPath);
    else
        duration = probe.m_dDuration;
    --m_measuring;
    if (duration > 0)
        StoreMediaDuration(mediaPath, duration);
    return duration;
}

bool CConverterDlg::BusyMeasuring(const char* command)
{
    if (m_measuring == 0)
        return false;
    WriteLog("Still measuring, refused - ", command);
    return true;
}

void CConverterDlg::ReadClipInfo(CString mediaPath, double* start, double* length, double* fadeLength, int* fadeIn,
                                 int* fadeOut)
{
    ReadClipInfoOf(mediaPath, GetMediaDuration(mediaPath), start, length, fadeLength, fadeIn, fadeOut);
}

void CConverterDlg::ReadClipInfoOf(CString mediaPath, double duration, double* start, double* length,
                                   double* fadeLength, int* fadeIn, int* fadeOut)
{
    m_clipInfoDuration = duration;
    const ClipInfo info = ReadClipInfoFile(GetClipInfoPath(mediaPath), m_fadeTime, m_fadeIn, m_fadeOut);
    m_clipInfoStartPercent = info.startPercent;
    m_clipInfoEndPercent = info.endPercent;
    const ClipSeconds clip = ClipRangeSeconds(info, m_clipInfoDuration);
    *start = clip.start;
    *length = clip.length;
    *fadeLength = clip.fadeLength;
    *fadeIn = info.fadeIn;
    *fadeOut = info.fadeOut;
}

bool CConverterDlg::LoadCurrentClip()
{
    // Measuring runs ffmpeg under the message pump, so a click can choose (and load) another file meanwhile; the
    // measured file is then no longer the current one and its values must not land on the other.
    const CString media = m_currentMedia;
    const double duration = GetMediaDuration(media);
    if (m_currentMedia != media)
        return false;
    double start = 0;
    double length = 0;
    double fadeLength = 0;
    ReadClipInfoOf(media, duration, &start, &length, &fadeLength, &m_fadeIn, &m_fadeOut);
    m_duration = m_clipInfoDuration;
    m_rangeBar.m_dPos = 0;
    // Without a duration nothing converts seconds to percent: the bar keeps the file's own range.
    if (m_duration <= 0) {
        m_span30 = 0;
        m_rangeBar.m_dStart = m_clipInfoStartPercent;
        m_rangeBar.m_dEnd = m_clipInfoEndPercent;
        return true;
    }
    m_span30 = 3000 / m_duration;
    if (m_fixSize && length > 30.0)
        length = 30.0;
    m_rangeBar.m_dStart = start * 100 / m_duration;
    m_rangeBar.m_dEnd = (start + length) * 100 / m_duration;
    return true;
}

void CConverterDlg::SetCurrentFile(CString mediaPath)
{
    m_currentMedia = mediaPath;
    if (m_currentMedia.IsEmpty())
        return;
    if (LoadCurrentClip())
        WriteClipInfo();
}

void CConverterDlg::OnFileClick(NMHDR* notify, LRESULT* result)
{
    if (result)
        *result = 0;
    if (m_fileList.GetItemCount() == 0) {
        m_currentMedia.Empty();
        m_duration = 0;
        m_rangeBar.m_dPos = 0;
        m_rangeBar.m_dStart = 0;
        m_rangeBar.m_dEnd = 100;
        m_rangeBar.Invalidate();
        return;
    }
    const int selected = FirstSelectedRow(m_fileList);
    m_currentMedia = m_fileList.PathAt(selected >= 0 ? selected : 0);
    if (m_currentMedia.IsEmpty())
        return;
    WriteLog("Click file - ", m_currentMedia);
    if (!LoadCurrentClip())
        return;
    m_rangeBar.Invalidate();
    m_fadeInCheck.Redraw();
    m_fadeOutCheck.Redraw();
    ShowFileInfo(0);
    WriteClipInfo();
}

void CConverterDlg::WriteClipInfo()
{
    if (m_currentMedia.IsEmpty())
        return;
    ClipInfo info;
    info.startPercent = m_rangeBar.m_dStart;
    info.endPercent = m_rangeBar.m_dEnd;
    info.fade = m_fadeTime;
    info.fadeIn = m_fadeIn;
    info.fadeOut = m_fadeOut;
    info.fixSize = m_fixSize;
    const CString clipInfo = GetClipInfoPath(m_currentMedia);
    WriteClipInfoFile(clipInfo, info);
    WriteClipMediaKey(clipInfo, m_currentMedia);
    if (g_previewState == 2)
        PreviewSetPosition(m_rangeBar.m_dPos * m_duration * 0.01);
    ShowFileInfo(1);
}

void CConverterDlg::ShowFileInfo(int logIt)
{
    const double start = m_rangeBar.m_dStart * m_duration * 0.01;
    const double end = m_rangeBar.m_dEnd * m_duration * 0.01;
    const CString startText = ClipTimeText(static_cast<int>(start));
    const CString endText = ClipTimeText(static_cast<int>(end));
    m_clipLength = end - start;
    const int rounded = RoundHalfAway(m_clipLength);
    const CString lengthText = ClipTimeText(rounded);
    CString size;
    size.Format("%d KB", EstimateOutputSizeKB(g_outputFormat, m_sampleIndex, m_bitRateIndex, rounded, m_channelFlag));
    m_labels[LBL_START_TIME].SetText(startText);
    m_labels[LBL_END_TIME].SetText(endText);
    m_labels[LBL_DURATION].SetText(lengthText);
    m_labels[LBL_SIZE].SetText(size);
    if (logIt)
        WriteLog("Ringtine from ", startText, " to ", endText, " Duration is ", lengthText);
}
