// audiotool: renders a MIDI file to WAV, exports it as a ringtone, or probes a media file with ffmpeg.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "audio/audio_window.h"
#include "audio/ffmpeg_process.h"
#include "audio/midi_audio.h"
#include "kernel/path_map.h"
#include "kernel/prompt_service.h"
#include "media/soundfont_path.h"
#include "services/app_folder.h"

namespace {

class ConsolePrompts : public IPromptService {
public:
    int ShowMessage(HWND, const std::string& text, const std::string&, UINT) override
    {
        std::fprintf(stderr, "audiotool: %s\n", text.c_str());
        return IDOK;
    }
    std::optional<std::string> PromptFileName(const FilePromptRequest&) override { return std::nullopt; }
};

// Stands in for the progress dialog: message 0 with wParam 0 sets the range, 1 the position.
CWnd* const kTerminal = reinterpret_cast<CWnd*>(1);
int g_range = 100;
const char* g_stage = "render";

void PrintProgress(CWnd*, UINT, WPARAM wParam, LPARAM lParam)
{
    if (wParam == 0) {
        g_range = static_cast<int>(lParam);
        return;
    }
    static long shown = -1;
    long percent = lParam * 100 / (g_range ? g_range : 1);
    if (lParam >= 0 && percent != shown)
        std::fprintf(stderr, "\r%s %3ld%%", g_stage, percent);
    shown = percent;
}

void ShowProgress(CWnd*, int nCmdShow)
{
    if (nCmdShow == SW_HIDE) {
        std::fprintf(stderr, "\n");
        g_stage = "encode";
    }
}

int TypeOf(const std::string& path)
{
    std::string ext = path.substr(path.find_last_of('.') + 1);
    if (ext == "m4r")
        return EXPORT_TYPE_M4R;
    if (ext == "mp3")
        return EXPORT_TYPE_MP3;
    if (ext == "amr")
        return EXPORT_TYPE_AMR;
    if (ext == "awb")
        return EXPORT_TYPE_AWB;
    return 0;
}

CString Absolute(const char* path)
{
    char resolved[4096];
    std::string full = path[0] == '/' ? path : std::string(realpath(".", resolved) ? resolved : ".") + "/" + path;
    return CString(ToWindowsPath(full));
}

int Usage()
{
    std::fprintf(stderr,
                 "usage: audiotool render IN.mid OUT.wav\n"
                 "       audiotool export IN.mid OUT.(m4r|mp3|amr|awb) [--fade PERCENT]\n"
                 "       audiotool probe FILE\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return Usage();
    static ConsolePrompts prompts;
    SetPromptService(&prompts);
    SetAppFolder(CString(ToWindowsPath(ExecutableFolder() + "/audiotool")));
    std::string command = argv[1];

    // Progress goes to the terminal; there is no window whose messages need pumping.
    AudioWindowHooks hooks;
    hooks.post = PrintProgress;
    hooks.show = ShowProgress;
    SetAudioWindowHooks(hooks);
    if (command == "probe") {
        CFfmpegProcess probe(Absolute(argv[2]), nullptr);
        std::printf("input: %s\nduration: %.3f\nvideo: %s\naudio: %s\n", static_cast<const char*>(probe.m_strInputName),
                    probe.m_dDuration, static_cast<const char*>(probe.m_strVideoInfo),
                    static_cast<const char*>(probe.m_strAudioInfo));
        return probe.m_bHeaderParsed ? 0 : 1;
    }
    if (argc < 4 || (command != "render" && command != "export"))
        return Usage();
    if (!InitBassMidi())
        return 1;
    MidiExportContext context;
    context.pProgressDialog = kTerminal;
    int result = 0;
    if (command == "render") {
        SetMidiExportContext(context);
        result = RenderMidiFile(Absolute(argv[2]), Absolute(argv[3]));
    } else {
        int type = TypeOf(argv[3]);
        if (!type)
            return Usage();
        if (argc >= 6 && std::strcmp(argv[4], "--fade") == 0) {
            context.bMainDialog = true;
            context.bFadeIn = context.bFadeOut = TRUE;
            context.nFadeValue = std::atoi(argv[5]);
        }
        SetMidiExportContext(context);
        result = ExportMidiAudio(Absolute(argv[2]), Absolute(argv[3]), type);
    }
    FreeBass();
    std::fprintf(stderr, "%s\n", result ? "done" : "failed");
    return result ? 0 : 1;
}
