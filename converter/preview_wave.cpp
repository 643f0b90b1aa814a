// CConverterDlg::MakePreviewWave: a media file decoded once to a wave in the private temporary folder.
#include "audio/ffmpeg_process.h"
#include "converter/batch_row.h"
#include "converter/converter_dlg.h"
#include "kernel/file_api.h"
#include "services/file_exists.h"
#include "services/private_temp.h"

double CConverterDlg::MakePreviewWave(CString mediaPath)
{
    const CString wave = GetPreviewWavePath(GetPrivateTempFolder(), mediaPath);
    if (!FileExists(wave)) {
        CFfmpegProcess ffmpeg(mediaPath, nullptr);
        ffmpeg.SetNotify(this, WM_SKINCOMMAND, CODE_CONVERT_PROGRESS);
        // The progress handler shows the decoding as a clip over the whole file.
        m_convertStart = 0;
        m_convertLength = ffmpeg.m_dDuration;
        m_convertDuration = ffmpeg.m_dDuration;
        ffmpeg.Run(mediaPath, " -vn -f wav ", wave);
        // A half-written wave would pass for the decoded file from now on.
        if (!ffmpeg.m_bSuccess)
            DeleteFile(wave);
        ShowProgress(-1);
    }
    if (!FileExists(wave))
        return 0;
    return CFfmpegProcess(wave, nullptr).m_dDuration;
}
