// ConvertBatchRow: the ffmpeg steps of one row. A wave left by an earlier fade step is never taken for this one's.
#include "converter/batch_row.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "audio/ffmpeg_process.h"
#include "audio/unique_file.h"
#include "converter/convert_formats.h"
#include "converter/convert_smaf_finish.h"
#include "converter/convert_wave_fade.h"
#include "kernel/file_api.h"
#include "kernel/path_map.h"
#include "services/file_exists.h"
#include "services/log_writer.h"
#include "services/path_parts.h"
#include "services/private_temp.h"

CString GetFadeWavePath(const CString& tempFolder)
{
    CString path;
    path.Format("%smervanetempwavefile.wav", static_cast<const char*>(tempFolder));
    return path;
}

CString GetPreviewWavePath(const CString& tempFolder, const CString& mediaPath)
{
    // FNV-1a of the path: short, and the same in every run.
    uint32_t mark = 2166136261u;
    for (const char* c = mediaPath; *c; ++c)
        mark = (mark ^ static_cast<unsigned char>(*c)) * 16777619u;
    CString path;
    path.Format("%s%s-%08x_tempmp3wave.wav", static_cast<const char*>(tempFolder),
                static_cast<const char*>(GetPathTitle(mediaPath)), static_cast<unsigned>(mark));
    return path;
}

static bool RunSucceeded(const CFfmpegProcess& runner, int ran, const int* cancel)
{
    return ran == 0 && runner.m_bSuccess && !*cancel;
}

static CString RunError(const CFfmpegProcess& runner, const int* cancel)
{
    if (*cancel)
        return "Cancelled.";
    return runner.m_strError.IsEmpty() ? CString("ffmpeg failed.") : runner.m_strError;
}

// The fade step: the clip cut into a fresh 16-bit wave file, then faded. False when any part failed.
static bool MakeFadedWave(CFfmpegProcess& runner, const BatchRowJob& job, const CString& source,
                          const CString& startOption, const CString& lengthOption, const CString& wavePath,
                          const int* cancel, CString* error)
{
    if (FileExists(wavePath))
        DeleteFile(wavePath);
    CString options;
    // Plain 16-bit PCM whatever the source's channels and rate: the fade works on 16-bit values.
    options.Format(" -vn %s %s -acodec pcm_s16le -f wav ", static_cast<const char*>(startOption),
                   static_cast<const char*>(lengthOption));
    const int ran = runner.Run(source, options, wavePath);
    WriteLog("Convert to wav first - ", source, options, wavePath);
    WriteLog(runner.m_szLogText);
    if (!RunSucceeded(runner, ran, cancel)) {
        *error = RunError(runner, cancel);
        return false;
    }
    if (!ApplyWaveFade(wavePath, job.fadeIn, job.fadeOut, job.fadeLength)) {
        *error = "The fade could not be applied: the clip's wave file is unreadable.";
        return false;
    }
    return true;
}

// The final step into a new file beside the output, renamed over it once it is whole.
static bool WriteOutput(CFfmpegProcess& runner, const BatchRowJob& job, const CString& input, const CString& options,
                        const int* cancel, CString* error)
{
    const CString part = CreateUniqueFile(GetPathFolder(job.output), ".tonwick-part", GetOutputExtension(job.format));
    if (part.IsEmpty()) {
        error->Format("The export folder takes no new file: %s", std::strerror(errno));
        return false;
    }
    // A run killed while it writes leaves the part behind: the next start removes it.
    RecordRunFile(part);
    const int ran = runner.Run(input, options, part);
    WriteLog("Convert to m4r - ", input, options, job.output);
    WriteLog(runner.m_szLogText);
    bool done = RunSucceeded(runner, ran, cancel);
    if (!done)
        *error = RunError(runner, cancel);
    if (done && job.format == 2 && !FinishSmafFile(part)) {
        *error = "The SMAF file could not be finished.";
        done = false;
    }
    if (done && std::rename(MapPathLiteral(static_cast<const char*>(part)).c_str(),
                            MapPathLiteral(static_cast<const char*>(job.output)).c_str()) != 0) {
        error->Format("The output could not be put in place: %s", std::strerror(errno));
        done = false;
    }
    if (!done)
        DeleteFile(part);
    ForgetRunFile(part);
    return done;
}

int ConvertBatchRow(CFfmpegProcess& runner, const BatchRowJob& job, const int* cancel, CString* error)
{
    const CString previewWave = GetPreviewWavePath(job.tempFolder, job.source);
    const CString source = FileExists(previewWave) ? previewWave : job.source;
    CString input = source;
    CString startOption = job.trim ? FormatStartOption(job.start) : CString();
    CString lengthOption = job.trim ? FormatLengthOption(job.length) : CString();
    const CString wavePath = GetFadeWavePath(job.tempFolder);

    bool done = true;
    if (job.fadeIn || job.fadeOut) {
        done = MakeFadedWave(runner, job, source, startOption, lengthOption, wavePath, cancel, error);
        // The wave holds only the clip.
        input = wavePath;
        startOption.Empty();
        lengthOption.Empty();
    }
    if (done)
        done = WriteOutput(
            runner, job, input,
            FormatConvertOptions(job.format, startOption, lengthOption, job.channels, job.sampleRate, job.bitRate),
            cancel, error);
    if (job.removeTemp && FileExists(wavePath))
        DeleteFile(wavePath);
    return done ? 1 : 0;
}
