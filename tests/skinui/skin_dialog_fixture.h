// A program folder with a small test skin of caption pictures, for the skinned dialog tests.
#pragma once

#include <filesystem>
#include <fstream>

#include "kernel/resources.h"
#include "services/app_folder.h"
#include "services/deliverable.h"
#include "skin_fixture.h"
#include "skinui/skin_dialog.h"

// Caption elements of unequal widths, so each button's place shows the stepping rule.
struct CaptionElement {
    int number;
    int width;
    int height;
    COLORREF colour;
};
inline const CaptionElement kCaptionElements[] = {
    {40, 16, 14, RGB(200, 40, 40)},   {56, 14, 14, RGB(40, 160, 40)},  {58, 14, 14, RGB(40, 40, 200)},
    {57, 12, 14, RGB(200, 200, 40)},  {59, 16, 14, RGB(40, 200, 200)}, {78, 14, 14, RGB(200, 40, 200)},
    {42, 18, 14, RGB(120, 120, 120)},
};
// The converter's other caption buttons stand at their elements' rectangles.
struct PlacedElement {
    int number;
    CRect rect;
};
inline const PlacedElement kConverterPlaced[] = {
    {14, CRect(10, 2, 24, 16)}, {15, CRect(30, 2, 44, 16)}, {16, CRect(50, 2, 64, 16)}, {17, CRect(70, 2, 84, 16)}};

constexpr int kCaptionPictureWidth = 50;
constexpr int kCaptionPictureHeight = 22;
// A popup template of 300 by 120 pixels (two pixels a unit across, eight pixels per 8 units down).
constexpr UINT kTestDialogTemplate = 9730;

class SkinDialogTest : public ::testing::Test {
protected:
    SkinTempFolder program;
    KestrinDeliverable previous = GetDeliverable();

    void SetUp() override
    {
        static const char kTemplate[] = "DIALOG 0, 0, 200, 200\nSTYLE WS_POPUP\nFONT 8, \"MS Sans Serif\"\n";
        static const EmbeddedResource kResources[] = {
            {"DIALOG", "9730", (const unsigned char*)kTemplate, sizeof(kTemplate) - 1}};
        RegisterResourceTable(kResources, 1);
        for (const char* skin : {"skin-com/skin-1", "skin/skin-1"})
            WriteSkin(program.Linux() + "/" + skin, program.File(skin));
        std::ofstream(program.Linux() + "/common.ini")
            << "[common]\r\nskin=1\r\n[stringtip]\r\nok=Fine\r\nrightreserved=All rights kept.\r\n"
               "clickemail=Write to\r\nopenlogbtn=Log folder\r\n";
        SetAppFolder(program.File("prog.exe"));
        g_strProductTitle = "Kestrin Test";
    }
    void TearDown() override { SetDeliverable(previous); }

    static void WriteSkin(const std::string& folder, const CString& windowsFolder)
    {
        std::filesystem::create_directories(folder);
        std::ofstream ini(folder + "/skin.ini");
        // The caption picture: a vertical gradient with a light mark at each tile's left edge.
        for (int element : {0, 39})
            ini << "[textbtn" << (element < 10 ? "0" : "") << element << "]\r\nbgimage=caption.bmp\r\n"
                << "fntname=DejaVu Sans\r\nfntsize=14\r\nfntcolor=255,255,255\r\n";
        WritePicture(windowsFolder + "\\caption.bmp", kCaptionPictureWidth, kCaptionPictureHeight,
                     [](int x, int y) { return x == 0 ? RGB(230, 230, 250) : RGB(20, 40, 80 + 6 * y); });
        for (const CaptionElement& e : kCaptionElements) {
            ini << "[textbtn" << e.number << "]\r\nposition=0,0," << e.width << "," << e.height << "\r\nbgimage=b"
                << e.number << ".bmp\r\ntip=Tip " << e.number << "\r\n";
            WriteStrip(windowsFolder, e.number, e.width, e.height, e.colour);
        }
        for (const PlacedElement& e : kConverterPlaced) {
            ini << "[textbtn" << e.number << "]\r\nposition=" << e.rect.left << "," << e.rect.top << ","
                << e.rect.Width() << "," << e.rect.Height() << "\r\nbgimage=b" << e.number << ".bmp\r\n";
            WriteStrip(windowsFolder, e.number, e.rect.Width(), e.rect.Height(), RGB(250, 150, 50));
        }
    }
    // Four frames, each a flat colour with a dark border, darker from frame to frame.
    static void WriteStrip(const CString& folder, int number, int width, int height, COLORREF colour)
    {
        CString name;
        name.Format("%s\\b%d.bmp", (LPCTSTR)folder, number);
        WritePicture(name, 4 * width, height, [=](int x, int y) {
            int fx = x % width, frame = x / width;
            if (fx == 0 || y == 0 || fx == width - 1 || y == height - 1)
                return RGB(10, 10, 10);
            return RGB(GetRValue(colour) * (4 - frame) / 4, GetGValue(colour) * (4 - frame) / 4,
                       GetBValue(colour) * (4 - frame) / 4);
        });
    }
};

// A skinned dialog that counts its cancels instead of ending.
class TestSkinDialog : public CSkinDialog {
public:
    explicit TestSkinDialog(int mode, const char* title = "Child title")
        : CSkinDialog(kTestDialogTemplate, nullptr, title, mode)
    {
    }
    ~TestSkinDialog() override { DestroyWindow(); }
    int cancels = 0;

    bool Open(int width = 300, int height = 120)
    {
        if (!Create(kTestDialogTemplate))
            return false;
        SetWindowPos(nullptr, 100, 100, width, height, SWP_NOZORDER);
        ShowWindow(SW_SHOW);
        PumpFor(50);
        return true;
    }
    CRect ChildRect(CWnd& child)
    {
        CRect r;
        child.GetWindowRect(&r);
        ScreenToClient(&r);
        return r;
    }

protected:
    void OnCancel() override { ++cancels; }
};
