// Shared set-up of the window tests: the window system started once, and pumping until a condition holds.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <vector>

#include "ui/ui.h"

// Dispatches messages until the condition holds or the time is up; answers the condition.
inline bool PumpUntil(const std::function<bool()>& done, int milliseconds = 3000)
{
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                break;
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
    return true;
}

// Runs the pump for a short while (lets queued toolkit events arrive).
inline void PumpFor(int milliseconds)
{
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    PumpUntil([&] { return std::chrono::steady_clock::now() > end; }, milliseconds + 1000);
}

// Left click at a client point of a window, through synthesized input.
inline void ClickAt(HWND hWnd, int x, int y, bool right = false)
{
    POINT p{x, y};
    ClientToScreen(hWnd, &p);
    int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    INPUT in[3] = {};
    in[0].type = INPUT_MOUSE;
    in[0].mi.dx = (LONG)(((int64_t)p.x * 65536 + 65535) / sw);
    in[0].mi.dy = (LONG)(((int64_t)p.y * 65536 + 65535) / sh);
    in[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    in[1].type = INPUT_MOUSE;
    in[1].mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    in[2].type = INPUT_MOUSE;
    in[2].mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    SendInput(3, in, sizeof(INPUT));
}

inline void PressKey(WORD vk)
{
    INPUT in[2] = {};
    in[0].type = INPUT_KEYBOARD;
    in[0].ki.wVk = vk;
    in[1].type = INPUT_KEYBOARD;
    in[1].ki.wVk = vk;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
}

// What a window shows on the screen (native controls included), as 0x00RRGGBB pixels, through PrintWindow.
struct Capture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    uint32_t At(int x, int y) const { return pixels[(size_t)y * width + x]; }
};

inline Capture CaptureWindow(HWND hWnd)
{
    Capture c;
    RECT r;
    GetClientRect(hWnd, &r);
    c.width = r.right;
    c.height = r.bottom;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = c.width;
    bi.bmiHeader.biHeight = -c.height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bmp);
    if (PrintWindow(hWnd, dc, 0)) {
        const uint32_t* p = static_cast<const uint32_t*>(bits);
        c.pixels.assign(p, p + (size_t)c.width * c.height);
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bmp);
    return c;
}
