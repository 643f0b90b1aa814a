// The demo application: runs the demo dialog, or with --screenshot FILE.bmp writes its painted window and ends.
#include <chrono>
#include <cstring>
#include <vector>

#include "bmp_writer.h"
#include "demo_dialog.h"

namespace {

class CDemoApp : public CWinApp {
public:
    CDemoApp() : CWinApp("Window layer demo") {}
    BOOL InitInstance() override;

private:
    int Screenshot(const char* path);
};

CDemoApp theApp;

void PumpFor(int milliseconds)
{
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < end) {
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
}

BOOL CDemoApp::InitInstance()
{
    CDemoCanvas::RegisterWindowClass();
    for (int i = 1; i + 1 < __argc; ++i)
        if (std::strcmp(__argv[i], "--screenshot") == 0) {
            Screenshot(__argv[i + 1]);
            return FALSE;
        }
    CDemoDialog dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    return FALSE;
}

int CDemoApp::Screenshot(const char* path)
{
    CDemoDialog dlg;
    if (!dlg.Create(9000)) {
        std::fprintf(stderr, "windemo: the demo dialog could not be made\n");
        return 1;
    }
    dlg.ShowWindow(SW_SHOW);
    dlg.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    CRect r;
    dlg.GetClientRect(&r);
    // The shaped window over the dialog's lower right corner, so that its cut shows against the dialog.
    POINT corner{r.right - 150, r.bottom - 100};
    dlg.ClientToScreen(&corner);
    dlg.OpenShaped(&corner);
    PumpFor(800);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = r.Width();
    bi.bmiHeader.biHeight = -r.Height();
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP shot = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC mem = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(mem, shot);
    BOOL captured = PrintWindow(dlg.GetSafeHwnd(), mem, 0);
    SelectObject(mem, old);
    DeleteDC(mem);
    bool written = captured && WriteBmp24(path, bits, r.Width(), r.Height());
    DeleteObject(shot);
    dlg.DestroyWindow();
    if (!written) {
        std::fprintf(stderr, "windemo: could not write %s\n", path);
        return 1;
    }
    return 0;
}

}  // namespace
