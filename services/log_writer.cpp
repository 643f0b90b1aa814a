// Log writer: banner and size check once per run, then one appended line per call.
#include "services/log_writer.h"

#include <sys/stat.h>
#include <cstdio>
#include <ctime>
#include <unistd.h>

#include "kernel/file_api.h"
#include "kernel/path_map.h"
#include "services/deliverable.h"
#include "services/documents_folder.h"

CString g_strLogSubFolder = "quaverly\\";

static bool g_bCheckSize = true;
static bool g_bWriteBanner = true;
static int g_nLogLine = 0;

static const long kLogSizeLimit = 0x80000;

// Five lines of letter art, 70 columns each.
static const char* const kBannerArt[5] = {
    "   #####   ###   #   #  #     #  ###   ####  #   #                    ",
    "     #    #   #  ##  #  #     #   #   #      #  #                     ",
    "     #    #   #  # # #  #  #  #   #   #      ###                      ",
    "     #    #   #  #  ##  # # # #   #   #      #  #                     ",
    "     #     ###   #   #   #   #   ###   ####  #   #                    ",
};

const char* GetLogFileName() { return IsConverterDeliverable() ? "Tonwick.txt" : "TonwickComposer.txt"; }

static void WriteBanner(FILE* file)
{
    CString stars('*', 70);
    CString banner = stars + "\r\n";
    for (const char* line : kBannerArt)
        banner += CString(line) + "\r\n";
    banner += stars + "\r\n\r\n";

    time_t now = time(nullptr);
    struct tm local;
    localtime_r(&now, &local);
    banner.AppendFormat("Current Time = %04d-%02d-%02d %02d:%02d:%02d\r\n", local.tm_year + 1900, local.tm_mon + 1,
                        local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    fseek(file, 0, SEEK_END);
    fwrite(banner.GetString(), 1, banner.GetLength(), file);
}

void WriteLogLine(const char* text)
{
    CString folder;
    folder.Format("%s%s", GetDocumentsFolder().GetString(), g_strLogSubFolder.GetString());
    CreateDirectory(folder, nullptr);
    CString path;
    path.Format("%s%s", folder.GetString(), GetLogFileName());
    std::string linuxPath = MapPathLiteral(path);

    if (g_bCheckSize) {
        g_bCheckSize = false;
        struct stat info;
        if (stat(linuxPath.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > kLogSizeLimit)
            unlink(linuxPath.c_str());
    }

    FILE* file = fopen(linuxPath.c_str(), "a+b");
    if (!file)
        file = fopen(linuxPath.c_str(), "wb");
    if (!file)
        return;

    if (g_bWriteBanner) {
        g_bWriteBanner = false;
        WriteBanner(file);
    }

    time_t now = time(nullptr);
    struct tm local;
    localtime_r(&now, &local);
    CString line;
    // The paths in the line read as Linux paths.
    line.Format("%1d: %02d:%02d:%02d %s\r\n", g_nLogLine, local.tm_hour, local.tm_min, local.tm_sec,
                DisplayPathsInText(text).c_str());
    g_nLogLine++;
    fseek(file, 0, SEEK_END);
    fwrite(line.GetString(), 1, line.GetLength(), file);
    fclose(file);
}

void WriteLog(const CString& p1, const CString& p2, const CString& p3, const CString& p4, const CString& p5,
              const CString& p6, const CString& p7, const CString& p8)
{
    WriteLogLine(p1 + p2 + p3 + p4 + p5 + p6 + p7 + p8);
}

void WriteLogValue(const char* text, int n)
{
    CString line;
    line.Format("%s %d", text, n);
    WriteLogLine(line);
}

void WriteLogNumbers(int a, int b, int c, int d)
{
    CString line;
    line.Format("%d, %d, %d, %d", a, b, c, d);
    WriteLogLine(line);
}
