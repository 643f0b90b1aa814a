// The preview player's window: its class, keys and commands, the graph events, the picture's place and full screen.
#include <cstdlib>

#include "converter/converter_dlg.h"
#include "kernel/last_error.h"
#include "converter/preview_player.h"
#include "media/preview_player.h"
#include "ui/native_window.h"

static const char kClassName[] = "Mervane Player Class";

static void RegisterPlayerClass()
{
    HINSTANCE instance = AfxGetInstanceHandle();
    WNDCLASS wc{};
    if (GetClassInfo(instance, kClassName, &wc))
        return;
    wc.lpfnWndProc = &PreviewWndProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIcon(instance, MAKEINTRESOURCE(128));
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(DKGRAY_BRUSH));
    wc.lpszClassName = kClassName;
    if (RegisterClass(&wc) == 0) {
        PreviewMessage("RegisterClass Failed! Error=0x%x\r\n", static_cast<unsigned>(GetLastError()));
        std::exit(1);
    }
}

HWND PreviewCreateWindow(CConverterDlg* owner, int left, int top, int right, int bottom)
{
    RegisterPlayerClass();
    g_previewOwner = owner;
    g_previewWindow =
        CreateWindow(kClassName, "Mervane Player", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, right - left,
                     bottom - top, owner->GetSafeHwnd(), nullptr, AfxGetInstanceHandle(), nullptr);
    return g_previewWindow;
}

// The picture over the whole client area of the player window.
static void FillWindowWithVideo()
{
    if (g_previewAudioOnly || g_previewFullScreen)
        return;
    RECT client;
    GetClientRect(g_previewWindow, &client);
    PreviewGraph().SetWindowPosition(0, 0, client.right, client.bottom);
}

void PreviewPlaceVideo(CWnd* frame)
{
    CRect client;
    frame->GetClientRect(&client);
    SetWindowPos(g_previewWindow, nullptr, 0, 0, client.Width(), client.Height(), SWP_NOMOVE | SWP_NOZORDER);
    long width = 0, height = 0;
    if (PreviewFailed(PreviewGraph().GetVideoSize(&width, &height)) || width <= 0 || height <= 0)
        return;
    // Full height when the window is relatively taller than the picture, else full width.
    CRect rect = client;
    if (static_cast<double>(client.Width()) / client.Height() > static_cast<double>(width) / height)
        rect.right = rect.left + static_cast<int>(static_cast<double>(client.Height()) * width / height);
    else
        rect.bottom = rect.top + static_cast<int>(static_cast<double>(client.Width()) * height / width);
    rect.OffsetRect((client.Width() - rect.Width()) / 2, (client.Height() - rect.Height()) / 2);
    const HRESULT hr = PreviewGraph().SetWindowPosition(rect.left, rect.top, rect.Width(), rect.Height());
    if (PreviewFailed(hr))
        PreviewMessage("FAILED(hr=0x%x) in pVW->SetWindowPosition(rect.left, rect.top, rect.Width(), rect.Height())\n",
                       static_cast<unsigned>(hr));
}

void PreviewToggleFullScreen()
{
    if (g_previewAudioOnly || !PreviewGraph().IsOpen())
        return;
    if (g_previewFullScreen) {
        PreviewLeaveFullScreen();
        return;
    }
    // The picture moves into a window over the whole screen, which takes the keys meanwhile.
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    g_previewFullScreenWindow = CreateWindow(kClassName, "", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr,
                                             nullptr, AfxGetInstanceHandle(), nullptr);
    HRESULT hr = g_previewFullScreenWindow ? S_OK : E_FAIL;
    if (!PreviewFailed(hr))
        hr = PreviewGraph().SetVideoWindow(GetNativeWindowHandle(g_previewFullScreenWindow));
    if (PreviewFailed(hr)) {
        PreviewMessage("FAILED(hr=0x%x) in pVW->put_FullScreenMode(lMode)\n", static_cast<unsigned>(hr));
        if (g_previewFullScreenWindow != nullptr)
            DestroyWindow(g_previewFullScreenWindow);
        g_previewFullScreenWindow = nullptr;
        return;
    }
    PreviewGraph().SetWindowPosition(0, 0, width, height);
    SetForegroundWindow(g_previewFullScreenWindow);
    SetFocus(g_previewFullScreenWindow);
    g_previewFullScreen = 1;
}

void PreviewLeaveFullScreen()
{
    if (!g_previewFullScreen)
        return;
    g_previewFullScreen = 0;
    if (PreviewGraph().IsOpen()) {
        PreviewGraph().SetVideoWindow(GetNativeWindowHandle(g_previewWindow));
        FillWindowWithVideo();
    }
    HWND window = g_previewFullScreenWindow;
    g_previewFullScreenWindow = nullptr;
    if (window != nullptr)
        DestroyWindow(window);
    SetForegroundWindow(g_previewWindow);
    SetFocus(g_previewWindow);
}

static void OnKey(WPARAM key)
{
    switch (key) {
    case VK_RETURN:
    case 'F': PreviewToggleFullScreen(); break;
    case VK_ESCAPE:
        if (g_previewFullScreen)
            PreviewLeaveFullScreen();
        else
            PreviewCloseClip();
        break;
    case VK_SPACE: PreviewStepFrame(); break;
    case VK_LEFT: PreviewModifyRate(-0.25); break;
    case VK_RIGHT: PreviewModifyRate(0.25); break;
    case VK_DOWN: PreviewSetRate(1.0); break;
    case 'M': PreviewToggleMute(); break;
    case 'P': PreviewPause(); break;
    case 'S': PreviewStop(); break;
    case 'Q':
    case 'X':
    case VK_F12: PreviewCloseClip(); break;
    default: break;
    }
}

static void OnCommand(UINT id)
{
    switch (id) {
    case ID_PREVIEW_MUTE: PreviewToggleMute(); break;
    case ID_PREVIEW_CLOSE:
    case ID_PREVIEW_CLOSE_SYSTEM: PreviewCloseClip(); break;
    case ID_PREVIEW_PAUSE: PreviewPause(); break;
    case ID_PREVIEW_STOP: PreviewStop(); break;
    case ID_PREVIEW_FULL_SCREEN: PreviewToggleFullScreen(); break;
    case ID_PREVIEW_ABOUT: CDialog(200, g_previewOwner).DoModal(); break;
    case ID_PREVIEW_FASTER: PreviewModifyRate(0.25); break;
    case ID_PREVIEW_SLOWER: PreviewModifyRate(-0.25); break;
    case ID_PREVIEW_NORMAL_RATE: PreviewSetRate(1.0); break;
    case ID_PREVIEW_DOUBLE_RATE: PreviewSetRate(2.0); break;
    case ID_PREVIEW_HALF_RATE: PreviewSetRate(0.5); break;
    case ID_PREVIEW_STEP_FRAME: PreviewStepFrame(); break;
    default: break;
    }
}

LRESULT CALLBACK PreviewWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GRAPHNOTIFY: PreviewHandleGraphEvents(); return 0;
    case WM_KEYDOWN: OnKey(wParam); return 0;
    case WM_COMMAND: OnCommand(LOWORD(wParam)); return 0;
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize.x = 200;
        info->ptMinTrackSize.y = 120;
        return 0;
    }
    case WM_MOVE:
    case WM_SIZE:
        if (hWnd == g_previewWindow)
            FillWindowWithVideo();
        break;
    case WM_CLOSE: SendMessage(hWnd, WM_COMMAND, ID_PREVIEW_CLOSE, 0); return 0;
    case WM_DESTROY:
        // The pictures are drawn into this window from threads of their own: the clip goes first.
        // The owner is going too; it is told nothing more.
        if (hWnd == g_previewWindow) {
            g_previewOwner = nullptr;
            PreviewCloseClip();
            g_previewWindow = nullptr;
        }
        break;
    default: break;
    }
    return DefWindowProc(hWnd, message, wParam, lParam);
}
