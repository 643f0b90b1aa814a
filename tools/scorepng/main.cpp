// scorepng SONG OUT.bmp [--zoom Z] [--page N] [--all-pages DIR] [--script FILE] [--dump FILE]: a song painted
// through the real score view, after the editing steps of a script.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "scoreview/score_pages.h"
#include "song/song_files.h"
#include "tests/support/bmp_file.h"
#include "tools/scorepng/script/edit_script.h"
#include "tools/songtool/dump/song_dump.h"

namespace {

const char kUsage[] =
    "usage: scorepng SONG OUT.bmp [--zoom Z] [--page N] [--all-pages DIR] [--script FILE] [--dump FILE]\n"
    "  SONG             a .mid, .sms or .mmf file, or - for the new song the composer starts with\n"
    "  --zoom Z         the view's zoom (1 by default)\n"
    "  --page N         the page (from 0) written to OUT.bmp\n"
    "  --all-pages DIR  every page as DIR/page001.bmp, page002.bmp, ...\n"
    "  --script FILE    editing steps replayed through the view before painting (below)\n"
    "  --dump FILE      the edited song listed as \"songtool dump\" lists a song file\n";

int Usage()
{
    std::fputs(kUsage, stderr);
    return 2;
}

int Help()
{
    std::fputs(kUsage, stdout);
    std::fputs("\n", stdout);
    std::fputs(kEditScriptHelp, stdout);
    return 0;
}

bool WriteDump(CScoreView& view, const std::string& path)
{
    FILE* file = std::fopen(path.c_str(), "w");
    if (!file) {
        std::fprintf(stderr, "scorepng: cannot write %s\n", path.c_str());
        return false;
    }
    WriteSongDump(view.score, file);
    return std::fclose(file) == 0;
}

bool WritePage(CScoreView& view, const std::string& path)
{
    std::vector<uint32_t> pixels = PagePixels(view.pageBitmap);
    if (!WriteBmp24(path, pixels.data(), view.pageBitmap.Width(), view.pageBitmap.Height())) {
        std::fprintf(stderr, "scorepng: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h"))
            return Help();
    if (argc < 3)
        return Usage();
    const char* song = argv[1];
    std::string out = argv[2];
    double zoom = 1.0;
    int page = 0;
    std::string allPages;
    std::string script;
    std::string dump;
    for (int i = 3; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--zoom") && i + 1 < argc)
            zoom = std::atof(argv[++i]);
        else if (!std::strcmp(argv[i], "--page") && i + 1 < argc)
            page = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--all-pages") && i + 1 < argc)
            allPages = argv[++i];
        else if (!std::strcmp(argv[i], "--script") && i + 1 < argc)
            script = argv[++i];
        else if (!std::strcmp(argv[i], "--dump") && i + 1 < argc)
            dump = argv[++i];
        else
            return Usage();
    }

    CScoreView view;
    if (std::strcmp(song, "-") && OpenSongFile(view.score, song) != 1) {
        std::fprintf(stderr, "scorepng: cannot read %s\n", song);
        return 1;
    }
    PrepareScriptView(view, zoom);
    if (!script.empty() && !RunEditScript(view, script))
        return 1;
    if (!dump.empty() && !WriteDump(view, dump))
        return 1;
    int last = LastSongMeasure(view);
    int measure = 0;
    for (int n = 0;; ++n) {
        ScrollToMeasure(view, measure);
        view.RedrawScore(true);
        if (!allPages.empty()) {
            char name[32];
            std::snprintf(name, sizeof name, "/page%03d.bmp", n + 1);
            if (!WritePage(view, allPages + name))
                return 1;
        }
        if (n == page && !WritePage(view, out))
            return 1;
        measure = NextPageMeasure(view, measure);
        if (measure > last || measure >= kStripMeasureCount)
            break;
        if (allPages.empty() && n >= page)
            break;
    }
    return 0;
}
