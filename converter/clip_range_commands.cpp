// CConverterDlg: the clip range commands, the fade bar's release and the fixed-duration toggle.
#include "converter/clip_info_file.h"
#include "converter/converter_dlg.h"
#include "converter/preview_player.h"
#include "services/log_writer.h"
#include "services/skin_format_text.h"
#include "services/settings_ini.h"

void CConverterDlg::SaveClipRange()
{
    if (m_currentMedia.IsEmpty())
        return;
    WriteClipRangeKeys(GetClipInfoPath(m_currentMedia), m_rangeBar.m_dStart, m_rangeBar.m_dEnd);
}

void CConverterDlg::SetClipEndHere()
{
    // Nothing played yet: an end at 0 would read back as the whole file.
    const double position = PreviewGetMarkPosition();
    if (m_currentMedia.IsEmpty() || !(position > 0) || !(m_duration > 0))
        return;
    m_endMark = position;
    if (m_endMark <= m_startMark)
        m_startMark = 0;
    // The file keeps percent of the duration, as every reader takes it; the bar shows what is kept.
    WriteClipMarks(GetClipInfoPath(m_currentMedia), m_startMark, m_endMark, m_duration);
    ShowClipRange(m_startMark * 100 / m_duration, m_endMark * 100 / m_duration);
}

void CConverterDlg::ResetClipRange()
{
    if (m_currentMedia.IsEmpty())
        return;
    m_startMark = 0;
    m_endMark = m_duration;
    // An end of 0 reads back as the whole file.
    WriteClipRangeKeys(GetClipInfoPath(m_currentMedia), 0.0, 0.0);
    ShowClipRange(0, 100);
}

void CConverterDlg::ShowClipRange(double startPercent, double endPercent)
{
    m_rangeBar.m_dStart = startPercent;
    m_rangeBar.m_dEnd = endPercent;
    m_rangeBar.Invalidate();
    ShowFileInfo(1);
}

void CConverterDlg::OnDragFadeBar()
{
    CSettingsIni().WriteInt("common", "fidetime", m_fadeTime);
    if (!m_currentMedia.IsEmpty())
        WriteClipFadeKey(GetClipInfoPath(m_currentMedia), m_fadeTime);
    LoadSkinElement(37, &m_skinElement);
    m_labels[LBL_FADE].SetText(FormatSkinText(m_skinElement.title, "d", m_fadeTime));
    WriteLog("Drag fade bar - ", m_fadeTime);
}

void CConverterDlg::ToggleFixDuration()
{
    m_fixSize = !m_fixSize;
    CSettingsIni().WriteInt("common", "fixsize", m_fixSize);
    if (!m_fixSize) {
        WriteClipInfo();
        WriteLog("Uncheck fix duration.");
        return;
    }
    if (m_duration > 0 && m_rangeBar.m_dEnd - m_rangeBar.m_dStart > 3000 / m_duration)
        m_rangeBar.m_dEnd = m_rangeBar.m_dStart + 3000 / m_duration;
    WriteClipInfo();
    m_rangeBar.Invalidate();
    WriteLog("Check fix duration.");
}
