// The audio back end's window operations: installed hooks for posts and the pump, the prompt service for boxes.
#include "audio/audio_window.h"

#include "kernel/prompt_service.h"

namespace {

AudioWindowHooks& Hooks()
{
    static AudioWindowHooks hooks = DefaultAudioWindowHooks();
    return hooks;
}

}  // namespace

void SetAudioWindowHooks(const AudioWindowHooks& hooks) { Hooks() = hooks; }

const AudioWindowHooks& GetAudioWindowHooks() { return Hooks(); }

void AudioPostMessage(CWnd* wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (wnd && Hooks().post)
        Hooks().post(wnd, message, wParam, lParam);
}

void AudioShowWindow(CWnd* wnd, int nCmdShow)
{
    if (wnd && Hooks().show)
        Hooks().show(wnd, nCmdShow);
}

void AudioMessageBox(const char* text, const char* caption, UINT type)
{
    if (caption)
        MessageBox(nullptr, text, caption, type);
    else
        AfxMessageBox(text, type);
}

CString PromptForWaveFile()
{
    FilePromptRequest request;
    request.open = true;
    request.filter = "Wave files (*.WAV)|*.WAV|All files (*.*)|*.*||";
    request.flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    std::optional<std::string> path = PromptForFile(request);
    return path ? CString(*path) : CString();
}

void PumpMessages(HWND)
{
    if (Hooks().pump)
        Hooks().pump();
}
