// ConvertBatchRow: the ffmpeg steps of one row. A wave left by an earlier fade step is never taken for this one's.
#include "converter/batch_row.h"

#include "audio/ffmpeg_process.h"
#include "converter/convert_formats.h"
#include "converter/convert_smaf_finish.h"
#include "converter/convert_wave_fade.h"
#include "kernel/file_api.h"
#include "services/file_exists.h"
#include "services/log_writer.h"
#include "services/path_parts.h"

CString GetFadeWavePath(const CString& tempFolder)
{
    CString path;
    path.Format("%smervanetempwavefile.wav", static_cast<const char*>(tempFolder));
    return path;
}

static bool RunSucceeded(const CFfmpegProcess& runner, int ran, const int* cancel)
{
    return ran == 0 && runner.m_bSuccess && !*cancel;
}

// The fade step: the clip cut into a fresh wave file, then faded. False when any part failed.
static bool MakeFadedWave(CFfmpegProcess& runner, const BatchRowJob& job, const CString& source,
                          const CString& startOption, const CString& lengthOption, const CString& wavePath,
                          const int* cancel)
{
    if (FileExists(wavePath))
        DeleteFile(wavePath);
    CString options;
    options.Format(" -vn %s %s -f wav ", static_cast<const char*>(startOption), static_cast<const char*>(lengthOption));
    const int ran = runner.Run(source, options, wavePath);
    WriteLog("Convert to wav first - ", source, options, wavePath);
    WriteLog(runner.m_szLogText);
    return RunSucceeded(runner, ran, cancel) && ApplyWaveFade(wavePath, job.fadeIn, job.fadeOut, job.fadeLength);
}

int ConvertBatchRow(CFfmpegProcess& runner, const BatchRowJob& job, const int* cancel, CString* outputPath)
{
    const CString title = GetPathTitle(job.source);
    const CString previewWave = job.tempFolder + title + "_tempmp3wave.wav";
    const CString source = FileExists(previewWave) ? previewWave : job.source;
    CString input = source;
    CString startOption = job.trim ? FormatStartOption(job.start) : CString();
    CString lengthOption = job.trim ? FormatLengthOption(job.length) : CString();
    const CString wavePath = GetFadeWavePath(job.tempFolder);
    *outputPath = job.exportFolder + title + GetOutputExtension(job.format);

    bool done = true;
    if (job.fadeIn || job.fadeOut) {
        done = MakeFadedWave(runner, job, source, startOption, lengthOption, wavePath, cancel);
        // The wave holds only the clip.
        input = wavePath;
        startOption.Empty();
        lengthOption.Empty();
    }
    if (done) {
        const CString options =
            FormatConvertOptions(job.format, startOption, lengthOption, job.channels, job.sampleRate, job.bitRate);
        const int ran = runner.Run(input, options, *outputPath);
        WriteLog("Convert to m4r - ", input, options, *outputPath);
        WriteLog(runner.m_szLogText);
        done = RunSucceeded(runner, ran, cancel);
        if (done && job.format == 2)
            done = FinishSmafFile(*outputPath);
    }
    if (job.removeTemp && FileExists(wavePath))
        DeleteFile(wavePath);
    return done ? 1 : 0;
}
