// Shared pieces of the skinned-control tests: a temporary folder, test pictures, the owner that
// records skin commands, synthesized pointer input and golden-picture comparison.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "imaging/raster_image.h"
#include "kernel/path_map.h"
#include "skinui/skin_command.h"
#include "tests/support/test_data.h"
#include "tests/support/window/pointer_input.h"
#include "tests/support/window/ui_fixture.h"

// A folder of its own under TMPDIR, removed with everything in it.
class SkinTempFolder {
public:
    SkinTempFolder()
    {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/kestrin-skinui-XXXXXX";
        m_path = mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~SkinTempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    SkinTempFolder(const SkinTempFolder&) = delete;
    SkinTempFolder& operator=(const SkinTempFolder&) = delete;

    // The Windows form of a file in the folder, as the skin keeps paths.
    CString File(const std::string& name) const { return ToWindowsPath(m_path + "/" + name).c_str(); }
    const std::string& Linux() const { return m_path; }

private:
    std::string m_path;
};

// Writes a 24-bit BMP whose pixel (x, y from the top) has colour(x, y).
inline void WritePicture(const CString& path, int width, int height, const std::function<COLORREF(int, int)>& colour)
{
    CRasterImage image(width, height, 24, RASTER_TYPE_BMP);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.SetPixelColor(x, height - 1 - y, colour(x, y));
    ASSERT_TRUE(image.SaveFile(path, RASTER_TYPE_BMP));
}

// A top-level window that records the skin commands its controls post.
class SkinOwner : public CWnd {
public:
    std::vector<std::pair<WPARAM, LPARAM>> commands;

    SkinOwner()
    {
        EXPECT_TRUE(CreateEx(0, nullptr, "owner", WS_POPUP | WS_VISIBLE, 100, 100, 200, 120, nullptr, nullptr));
    }
    ~SkinOwner() override { DestroyWindow(); }

protected:
    afx_msg LRESULT OnSkinCommand(WPARAM wParam, LPARAM lParam)
    {
        commands.emplace_back(wParam, lParam);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

// Paints through paint(dc) into a white memory picture of the size given.
inline void RenderPicture(int width, int height, const std::function<void(CDC*)>& paint, CRasterImage* out)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_TRUE(bitmap);
    CDC dc;
    dc.Attach(CreateCompatibleDC(nullptr));
    HGDIOBJ old = SelectObject(dc.m_hDC, bitmap);
    CRect all(0, 0, width, height);
    dc.FillSolidRect(&all, RGB(255, 255, 255));
    paint(&dc);
    GdiFlush();
    out->Create(width, height, 24);
    const BYTE* p = static_cast<const BYTE*>(bits);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const BYTE* px = p + ((size_t)y * width + x) * 4;
            out->SetPixelColor(x, height - 1 - y, RGB(px[2], px[1], px[0]));
        }
    SelectObject(dc.m_hDC, old);
    DeleteDC(dc.Detach());
    DeleteObject(bitmap);
}

// Compares a picture with tests/skinui/golden/NAME.bmp pixel by pixel (the files' row padding is not part
// of the picture). With KESTRIN_REGENERATE_GOLDEN set (tools/regenerate_skin_golden.sh) the golden file is
// written instead, to be looked at before committing.
inline void ExpectGolden(const char* name, CRasterImage& picture)
{
    std::string golden = SourcePath(std::string("tests/skinui/golden/") + name + ".bmp");
    if (std::getenv("KESTRIN_REGENERATE_GOLDEN")) {
        std::filesystem::create_directories(std::filesystem::path(golden).parent_path());
        ASSERT_TRUE(picture.SaveFile(ToWindowsPath(golden).c_str(), RASTER_TYPE_BMP));
        return;
    }
    CRasterImage expected;
    ASSERT_TRUE(expected.LoadFile(ToWindowsPath(golden).c_str(), RASTER_TYPE_BMP)) << "no golden picture " << golden;
    ASSERT_EQ(expected.GetWidth(), picture.GetWidth());
    ASSERT_EQ(expected.GetHeight(), picture.GetHeight());
    int differing = 0;
    for (int y = 0; y < picture.GetHeight(); ++y)
        for (int x = 0; x < picture.GetWidth(); ++x) {
            RGBQUAD a = expected.GetPixelColor(x, y), b = picture.GetPixelColor(x, y);
            differing += a.rgbRed != b.rgbRed || a.rgbGreen != b.rgbGreen || a.rgbBlue != b.rgbBlue;
        }
    EXPECT_EQ(differing, 0) << "pixels of the painted " << name << " differ from its golden picture";
}
