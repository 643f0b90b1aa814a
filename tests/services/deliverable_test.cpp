// The program folder and where the converter's services differ from the composer's.
#include <unistd.h>

#include <regex>

#include "kernel/path_map.h"
#include "services/skin_element.h"
#include "services/system_info.h"
#include "main_dialog_fixture.h"

namespace {

TEST(AppFolder, KeepsDriveAndDirectoryWithOneBackslash)
{
    struct Case {
        const char* path;
        const char* folder;
    } cases[] = {
        {"C:\\A\\B\\prog.exe", "C:\\A\\B\\"}, {"C:\\A\\B\\", "C:\\A\\B\\"}, {"\\opt\\bin\\kestrin", "\\opt\\bin\\"}};
    for (const Case& c : cases) {
        SetAppFolder(c.path);
        EXPECT_STREQ(GetAppFolderPath(), c.folder) << c.path;
        EXPECT_STREQ(GetAppFolder(), c.folder) << c.path;
    }
}

// Exit code 0 when a never-set program folder reads as expected in this deliverable.
[[noreturn]] void CheckUnsetFolder(KestrinDeliverable deliverable)
{
    SetDeliverable(deliverable);
    char exe[4096] = {};
    ssize_t length = readlink("/proc/self/exe", exe, sizeof exe - 1);
    std::string folder = ToWindowsPath(std::string(exe, length));
    folder = folder.substr(0, folder.rfind('\\') + 1);
    std::string expected = deliverable == DELIVERABLE_CONVERTER ? folder : "";
    std::exit(std::string(GetAppFolder()) == expected ? 0 : 1);
}

TEST(AppFolder, OnlyTheConverterFillsAnUnsetFolderFromItsExecutable)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");  // a fresh process: the folder is still unset
    EXPECT_EXIT(CheckUnsetFolder(DELIVERABLE_CONVERTER), ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(CheckUnsetFolder(DELIVERABLE_COMPOSER), ::testing::ExitedWithCode(0), "");
}

class ConverterSkin : public MainDialogFixture {};

TEST_F(ConverterSkin, ReadsTheSkinFolderAndTheTransparentRange)
{
    program.Write("common.ini", "[common]\r\nskin=3\r\n");
    program.Write("skin/skin-3/skin.ini",
                  "[common]\r\ntranscolor=250,0,250\r\ntranscolor2=255,10,255\r\n[textbtn38]\r\nbgimage=set.bmp\r\n");
    program.Write("skin-com/skin-3/skin.ini", "[textbtn38]\r\nbgimage=composer.bmp\r\n");
    RegisterDialog();

    SetDeliverable(DELIVERABLE_CONVERTER);
    CSkinElement element;
    LoadSkinElement(38, &element);
    EXPECT_EQ(std::string(element.bgimage), program.Win("skin\\skin-3\\set.bmp"));
    EXPECT_EQ(transparent, RGB(250, 0, 250));
    EXPECT_EQ(transparentHigh, RGB(255, 10, 255));
    EXPECT_EQ(std::string(GetSkinFolder(3)), program.Win("skin\\skin-3\\"));

    SetDeliverable(DELIVERABLE_COMPOSER);
    LoadSkinElement(38, &element);
    EXPECT_EQ(std::string(element.bgimage), program.Win("skin-com\\skin-3\\composer.bmp"));
}

}  // namespace

namespace {

TEST(SystemReport, ConverterAddsTheDirectXLine)
{
    const std::regex composer(R"(OS Info = [^\r\n]*, build = \d+\r\nCPU Info = [^\r\n]*, [^\r\n]*, [^\r\n]*\r\n)");
    char buffer[2048];
    CSystemInfo info;
    info.GetReport(buffer, sizeof buffer);
    EXPECT_TRUE(std::regex_match(buffer, composer)) << buffer;

    SetDeliverable(DELIVERABLE_CONVERTER);
    info.GetReport(buffer, sizeof buffer);
    SetDeliverable(DELIVERABLE_COMPOSER);
    std::string report = buffer;
    const std::string directx = "DirectX Info = No DirectX installed.\r\n";
    ASSERT_GT(report.size(), directx.size());
    EXPECT_EQ(report.substr(report.size() - directx.size()), directx);

    char small[11];
    info.GetReport(small, sizeof small);
    EXPECT_STREQ(small, "OS Info = ");
}

}  // namespace
