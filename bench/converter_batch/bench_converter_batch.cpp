// Converts media files the way a batch of the converter does, after they were added to its list (durations
// measured then), and prints the batch's wall time in milliseconds.
// Usage: bench_converter_batch PROGRAM_FOLDER FORMAT EXPORT_FOLDER MEDIA...
// (Linux paths; the program folder holds the common.ini of the output settings; format 0 .mp3 ... 5 .m4r)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "audio/ffmpeg_process.h"
#include "converter/batch_output_names.h"
#include "converter/batch_row.h"
#include "converter/clip_info_durations.h"
#include "converter/clip_info_file.h"
#include "converter/clip_range.h"
#include "converter/convert_formats.h"
#include "converter/convert_output_settings.h"
#include "kernel/path_map.h"
#include "services/app_folder.h"
#include "services/deliverable.h"
#include "services/path_parts.h"
#include "services/private_temp.h"

int main(int argc, char** argv)
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s PROGRAM_FOLDER FORMAT EXPORT_FOLDER MEDIA...\n", argv[0]);
        return 2;
    }
    SetDeliverable(DELIVERABLE_CONVERTER);
    SetAppFolder((ToWindowsPath(argv[1]) + "\\").c_str());
    std::vector<CString> rows;
    for (int i = 4; i < argc; ++i)
        rows.push_back(ToWindowsPath(argv[i]).c_str());
    // Adding the files to the list measures them.
    for (const CString& row : rows) {
        CFfmpegProcess probe(row, nullptr);
        StoreMediaDuration(row, probe.m_dDuration);
    }

    BatchRowJob job;
    job.format = std::atoi(argv[2]);
    const ConvertOutputSettings settings = ReadConvertOutputSettings(job.format);
    job.sampleRate = settings.sampleRate;
    job.bitRate = settings.bitRate;
    job.channels = settings.channels;
    const CString exportFolder = (ToWindowsPath(argv[3]) + "\\").c_str();
    job.tempFolder = GetPrivateTempFolder();
    const int cancel = 0;
    BatchOutputNames outputNames;
    for (const CString& row : rows)
        outputNames.AddSource(row);
    int done = 0;
    const auto started = std::chrono::steady_clock::now();
    for (const CString& row : rows) {
        double duration = 0;
        FindMediaDuration(row, &duration);
        const ClipInfo info = ReadClipInfoFile(GetClipInfoPath(row), 5, 0, 0);
        const ClipSeconds clip = ClipRangeSeconds(info, duration);
        job.source = row;
        job.trim = duration > 0;
        job.start = clip.start;
        job.length = clip.length;
        job.fadeLength = clip.fadeLength;
        job.fadeIn = info.fadeIn;
        job.fadeOut = info.fadeOut;
        job.output = outputNames.Choose(exportFolder, GetPathTitle(row), GetOutputExtension(job.format));
        CFfmpegProcess runner;
        CString error;
        done += ConvertBatchRow(runner, job, &cancel, &error);
    }
    const auto elapsed = std::chrono::steady_clock::now() - started;
    std::printf("%lld\n",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count()));
    return done == static_cast<int>(rows.size()) ? 0 : 1;
}
