// The preview player's state and operations: open, run, pause, stop, close, position, volume and rate.
#include "converter/preview_player.h"

#include <cstdarg>
#include <cstdio>

#include "converter/converter_dlg.h"
#include "kernel/path_map.h"
#include "media/preview_player.h"
#include "ui/native_window.h"

int g_previewState = 3;
int g_previewAudioOnly = 1;
int g_previewFullScreen = 0;
long g_previewVolume = 0;
double g_previewRate = 1.0;
HWND g_previewWindow = nullptr;
HWND g_previewFullScreenWindow = nullptr;
CConverterDlg* g_previewOwner = nullptr;
CString g_previewFileName;

// Seconds; 0 until first asked after an open.
static double g_durationCache = 0;
// Seconds: Stop rewinds the clip, but a mark set afterwards is meant for where it was.
static double g_stoppedAt = 0;

constexpr long kMuted = -10000;
constexpr double kHundredNanosecondsPerSecond = 1e7;

PreviewPlayer& PreviewGraph()
{
    static PreviewPlayer player;
    return player;
}

void PreviewMessage(const char* format, ...)
{
    char text[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    MessageBox(g_previewWindow, text, "Mervane Player Sample", MB_OK | MB_ICONERROR);
}

// The player window lies over the file list: it is shown only while a clip with pictures is in play.
static void ShowPicture(bool show)
{
    if (g_previewWindow != nullptr)
        ShowWindow(g_previewWindow, show && !g_previewAudioOnly ? SW_SHOW : SW_HIDE);
}

static void RefreshOwnerButtons()
{
    if (g_previewOwner != nullptr)
        g_previewOwner->RefreshPreviewButtons();
}

BOOL PreviewOpenFile(CString path)
{
    g_durationCache = 0;
    g_stoppedAt = 0;
    g_previewFileName.Empty();
    PreviewUpdateTitle();
    ShowWindow(g_previewWindow, SW_SHOWNORMAL);
    SetForegroundWindow(g_previewWindow);
    CString lower = path;
    lower.MakeLower();
    if (lower.Find(".asx") >= 0) {
        MessageBox(g_previewWindow,
                   "ASX Playlists are not supported by this application.\n\nPlease select a valid media file.",
                   "Mervane Player Sample", MB_OK);
        return FALSE;
    }
    g_previewFileName = path;
    g_previewState = 0;
    g_previewVolume = 0;
    const HRESULT hr = PreviewOpenAndRender(path);
    RefreshOwnerButtons();
    if (PreviewFailed(hr)) {
        PreviewCloseClip();
        return FALSE;
    }
    return TRUE;
}

HRESULT PreviewOpenAndRender(const char* path)
{
    InvalidateRect(g_previewWindow, nullptr, TRUE);
    UpdateWindow(g_previewWindow);
    PreviewPlayer& graph = PreviewGraph();
    HRESULT hr = graph.Open(MapPath(path).c_str(), GetNativeWindowHandle(g_previewWindow));
    if (PreviewFailed(hr)) {
        PreviewMessage("FAILED(hr=0x%x) in pGB->RenderFile(wFile, NULL)\n", static_cast<unsigned>(hr));
        return hr;
    }
    g_previewAudioOnly = graph.HasVideo() ? 0 : 1;
    graph.SetNotifyWindow(g_previewWindow, WM_GRAPHNOTIFY, 0);
    ShowWindow(g_previewWindow, SW_SHOWNORMAL);
    UpdateWindow(g_previewWindow);
    SetForegroundWindow(g_previewWindow);
    g_previewFullScreen = 0;
    g_previewRate = 1.0;
    PreviewUpdateTitle();
    hr = graph.Run();
    if (PreviewFailed(hr)) {
        PreviewMessage("FAILED(hr=0x%x) in pMC->Run()\n", static_cast<unsigned>(hr));
        return hr;
    }
    g_previewState = 2;
    SetFocus(g_previewWindow);
    return S_OK;
}

void PreviewPlay()
{
    if ((g_previewState == 0 || g_previewState == 1) && !PreviewFailed(PreviewGraph().Run())) {
        g_previewState = 2;
        ShowPicture(true);
    }
    RefreshOwnerButtons();
}

void PreviewPause()
{
    PreviewPlayer& graph = PreviewGraph();
    if (g_previewState == 2) {
        if (!PreviewFailed(graph.Pause()))
            g_previewState = 1;
    } else if (g_previewState == 0 || g_previewState == 1) {
        if (!PreviewFailed(graph.Run())) {
            g_previewState = 2;
            ShowPicture(true);
        }
    }
    PreviewUpdateTitle();
}

void PreviewStop()
{
    if (g_previewState == 1 || g_previewState == 2) {
        g_stoppedAt = PreviewGetPosition();
        PreviewPlayer& graph = PreviewGraph();
        graph.Stop();
        g_previewState = 0;
        graph.SetCurrentPosition(0);
        ShowPicture(false);
    }
    PreviewUpdateTitle();
}

void PreviewCloseClip()
{
    PreviewPlayer& graph = PreviewGraph();
    if (g_previewState == 1 || g_previewState == 2)
        g_stoppedAt = PreviewGetPosition();
    if (graph.IsOpen())
        graph.Stop();
    g_previewState = 0;
    PreviewLeaveFullScreen();
    g_previewAudioOnly = 1;
    g_previewFullScreen = 0;
    ShowPicture(false);
    graph.SetNotifyWindow(nullptr, 0, 0);
    graph.Close();
    g_durationCache = 0;
    g_previewFileName.Empty();
    g_previewState = 3;
    PreviewUpdateTitle();
    RefreshOwnerButtons();
    if (g_previewOwner != nullptr)
        g_previewOwner->StopPreview();
}

double PreviewGetPosition()
{
    PreviewPlayer& graph = PreviewGraph();
    if (!graph.IsOpen())
        return 0.0;
    if (!(g_durationCache > 0)) {
        LONGLONG duration = 0;
        if (!PreviewFailed(graph.GetDuration(&duration)))
            g_durationCache = duration / kHundredNanosecondsPerSecond;
    }
    LONGLONG position = 0;
    if (PreviewFailed(graph.GetCurrentPosition(&position)))
        return 0.0;
    return position / kHundredNanosecondsPerSecond;
}

double PreviewGetMarkPosition()
{
    return g_previewState == 1 || g_previewState == 2 ? PreviewGetPosition() : g_stoppedAt;
}

void PreviewSetPosition(double seconds)
{
    PreviewPlayer& graph = PreviewGraph();
    if (!graph.IsOpen())
        return;
    graph.SetCurrentPosition(static_cast<LONGLONG>(seconds * kHundredNanosecondsPerSecond));
    PreviewUpdateTitle();
}

// The volume as the graph holds it; FALSE without a clip.
static BOOL ReadVolume()
{
    long volume = 0;
    if (PreviewFailed(PreviewGraph().GetVolume(&volume)))
        return FALSE;
    g_previewVolume = volume;
    return TRUE;
}

static void PutVolume(long volume)
{
    const HRESULT hr = PreviewGraph().PutVolume(volume);
    if (PreviewFailed(hr)) {
        PreviewMessage("FAILED(hr=0x%x) in pBA->put_Volume(g_lVolume)\n", static_cast<unsigned>(hr));
        return;
    }
    g_previewVolume = volume;
}

void PreviewToggleMute()
{
    if (!ReadVolume())
        return;
    PutVolume(g_previewVolume == 0 ? kMuted : 0);
    PreviewUpdateTitle();
}

void PreviewSetVolume(double level)
{
    if (!ReadVolume())
        return;
    // The fades ask for gains a little above full; the graph takes none above 0.
    if (level > 1.0)
        level = 1.0;
    if (level < 0.0)
        level = 0.0;
    PutVolume(static_cast<long>(level * 10000 - 10000));
}

void PreviewSetRate(double rate)
{
    if (!PreviewFailed(PreviewGraph().PutRate(rate)))
        g_previewRate = rate;
    PreviewUpdateTitle();
}

void PreviewModifyRate(double delta)
{
    if (delta == 0)
        return;
    double rate = 0;
    if (PreviewFailed(PreviewGraph().GetRate(&rate)))
        return;
    PreviewSetRate(rate + delta);
}

void PreviewStepFrame()
{
    PreviewPlayer& graph = PreviewGraph();
    if (!graph.IsOpen() || !graph.HasVideo())
        return;
    if (g_previewState != 1)
        PreviewPause();
    if (g_previewState == 1)
        graph.StepFrame();
}

void PreviewHandleGraphEvents()
{
    long code = 0;
    LONG_PTR param1 = 0, param2 = 0;
    while (!PreviewFailed(PreviewGraph().GetEvent(&code, &param1, &param2))) {
        if (code == EC_COMPLETE || code == EC_ERRORABORT) {
            PreviewCloseClip();
            break;
        }
    }
}

void PreviewUpdateTitle()
{
    if (g_previewFileName.IsEmpty()) {
        SetWindowText(g_previewWindow, "Mervane Player");
        return;
    }
    CString name = DisplayPath(g_previewFileName.GetString()).c_str();
    name = name.Mid(name.ReverseFind('/') + 1);
    CString rate;
    if (g_previewRate != 1.0)
        rate.Format("(Rate:%2.2f)", g_previewRate);
    CString title;
    title.Format("%s [%s] %s%s%s", static_cast<const char*>(name), g_previewAudioOnly ? "Audio" : "Video",
                 g_previewVolume == kMuted ? "(Muted)" : "", g_previewState == 1 ? "(Paused)" : "",
                 static_cast<const char*>(rate));
    SetWindowText(g_previewWindow, title);
}
