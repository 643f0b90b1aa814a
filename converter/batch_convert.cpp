// CConverterDlg: the batch conversion of every row, its cancel, its progress labels and its controls' state.
#include <chrono>

#include "audio/ffmpeg_process.h"
#include "converter/batch_output_names.h"
#include "converter/batch_row.h"
#include "converter/convert_formats.h"
#include "converter/convert_output_settings.h"
#include "converter/converter_dlg.h"
#include "kernel/path_map.h"
#include "services/app_folder.h"
#include "services/ini_file.h"
#include "services/language_text.h"
#include "services/log_writer.h"
#include "services/path_parts.h"
#include "services/private_temp.h"
#include "services/skin_format_text.h"
#include "services/text_helpers.h"

void CConverterDlg::ConvertAll()
{
    // A cancelled batch is still unwinding inside a run's message pump: a new one must not start in it.
    if (m_stopping)
        return;
    // A cancel always goes through; a new batch waits for a measuring add.
    if (!m_converting && BusyMeasuring("convert"))
        return;
    StopPreview();
    if (m_converting) {
        g_bCancelFfmpeg = 1;
        m_cancel = 1;
        m_converting = 0;
        m_stopping = 1;
        ShowProgress(-1);
        ApplyFadeOptions();
        return;
    }
    m_converting = 1;
    g_bCancelFfmpeg = 0;
    m_cancel = 0;
    ApplyFadeOptions();
    const auto started = std::chrono::steady_clock::now();
    CString firstOutput;
    int done = 0;
    m_rowCount = m_fileList.GetItemCount();

    BatchRowJob job;
    job.format = g_outputFormat >= 0 && g_outputFormat < kOutputFormatCount ? g_outputFormat : 0;
    const ConvertOutputSettings settings = ReadConvertOutputSettings(job.format);
    job.sampleRate = settings.sampleRate;
    job.bitRate = settings.bitRate;
    job.channels = settings.channels;
    CString exportFolder = m_exportFolder;
    AppendBackslash(exportFolder);
    job.tempFolder = GetPrivateTempFolder();
    job.removeTemp = m_removeTemp;
    BatchOutputNames outputNames;
    for (int i = 0; i < m_rowCount; ++i)
        outputNames.AddSource(m_fileList.PathAt(i));

    for (int i = 0; i < m_rowCount && !m_cancel; ++i) {
        m_currentRow = i;
        job.source = m_fileList.PathAt(i);
        m_currentRowFile = job.source;
        ReadClipInfo(job.source, &job.start, &job.length, &job.fadeLength, &job.fadeIn, &job.fadeOut);
        if (m_applyFadeFix) {
            if (m_fixSize && job.length > 30.0)
                job.length = 30.0;
            job.fadeIn = m_fadeIn;
            job.fadeOut = m_fadeOut;
            job.fadeLength = m_fadeTime * job.length * 0.01;
        }
        // A file whose duration is unknown is converted whole rather than cut to nothing.
        job.trim = m_clipInfoDuration > 0;
        m_convertStart = job.start;
        m_convertLength = job.length;
        m_convertDuration = m_clipInfoDuration;
        const CString title = GetPathTitle(job.source);
        job.output = outputNames.Choose(exportFolder, title, GetOutputExtension(job.format));
        CFfmpegProcess runner;
        runner.SetNotify(this, WM_SKINCOMMAND, CODE_CONVERT_PROGRESS);
        CString error = "Cancelled.";
        const int converted = !m_cancel && ConvertBatchRow(runner, job, &m_cancel, &error);
        CString state = GetLanguageText(converted ? "Done" : "error");
        if (converted) {
            ++done;
            if (firstOutput.IsEmpty())
                firstOutput = job.output;
            // Another row or a source holds the usual name: the row tells where its output went.
            if (GetPathTitle(job.output) != title)
                state += " - " + GetPathFileName(job.output);
        } else {
            state += " - " + error;
            WriteLog("Convert failed - ", job.source, " - ", error);
        }
        m_fileList.SetItemText(i, 1, state);
    }

    ShowProgress(-1);
    m_progressLabel.SetPercent(0);
    m_converting = 0;
    m_stopping = 0;
    ApplyFadeOptions();
    const long long seconds =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - started).count();
    CString usedTime;
    usedTime.Format("%02d:%02d:%02d", static_cast<int>(seconds / 3600), static_cast<int>(seconds % 3600 / 60),
                    static_cast<int>(seconds % 60));
    ShowConvertDone(m_rowCount, done, usedTime, firstOutput);
}

void CConverterDlg::ShowProgress(int percent)
{
    if (percent == -1) {
        m_progressLabel.SetText("");
        m_progressFileLabel.SetText("");
        return;
    }
    LoadSkinElement(43, &m_skinElement);
    CString text = FormatSkinText(m_skinElement.title, "ddd", m_currentRow + 1, m_rowCount, percent);
    m_progressLabel.SetText(m_converting ? text : CString("Prepare the audio file ..."));
    LoadSkinElement(44, &m_skinElement);
    text = FormatSkinText(m_skinElement.title, "s", DisplayPath(GetPathFileName(m_currentRowFile).GetString()).c_str());
    if (m_converting)
        m_progressFileLabel.SetText(text);
}

void CConverterDlg::ApplyFadeOptions()
{
    SkinButton(m_buttons[BTN_CONVERT], m_converting ? 45 : 16, 10, nullptr, 0);
    m_buttons[BTN_CONVERT].Invalidate();
    // The rows stay locked until a cancelled batch has unwound.
    const BOOL enable = !m_converting && !m_stopping;
    for (int button : {BTN_ADD, BTN_REMOVE, BTN_UP, BTN_DOWN, BTN_OUTPUT_FOLDER})
        m_buttons[button].EnableWindow(enable);
    m_fileList.EnableWindow(enable);
    CIniFile ini(GetAppFolder() + "common.ini");
    ini.SetSection("common");
    m_fadeTime = ini.GetInt("fidetime", 5);
    m_fadeIn = ini.GetInt("fidein", 0);
    m_fadeOut = ini.GetInt("fideout", 0);
    m_removeTemp = ini.GetInt("removetemp", 1);
    m_fixSize = ini.GetInt("fixsize", 0);
    // The toggles show the fades that the next range edit writes.
    m_fadeInCheck.Redraw();
    m_fadeOutCheck.Redraw();
}
