// The appearance dialog: skins and languages found in the program folder, and the user's own picture.
#include <filesystem>

#include "composer/appearance_dialog.h"
#include "imaging/raster_image.h"
#include "kernel/prompt_service.h"
#include "services/app_folder.h"
#include "tests/support/temp_folder.h"
#include "tests/support/window/ui_fixture.h"

namespace {

class Appearance : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved = GetAppFolder();
        SetAppFolder(program.Win("kestrin.exe").c_str());
        program.Write("common.ini", "[common]\r\ntotalskin=3\r\nlanguage=2\r\n[main]\r\nbackground=2\r\n");
        program.Write("skin-com/skin-1/skin.ini", "[common]\r\nname=Blue\r\n");
        program.Write("skin-com/skin-3/skin.ini", "[common]\r\nname=Green\r\n");
        program.Write("lang/lang001.ini", "[common]\r\nname=English\r\n");
        program.Write("lang/lang002.ini", "[common]\r\n");
        program.Write("lan/English.txt", "1 English\r\n200 Image %d\r\n201 Mine\r\n202 Blank\r\n");
        GetRecordingPromptService().Clear();
    }
    void TearDown() override { SetAppFolder(saved + "kestrin.exe"); }

    CString ListText(CListBox& list, int row)
    {
        CString text;
        list.GetText(row, text);
        return text;
    }
    void ChooseBackground(CAppearanceDialog& dialog, int row)
    {
        dialog.m_backgroundList.SetCurSel(row);
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(CAppearanceDialog::kBackgroundListId, LBN_SELCHANGE),
                           reinterpret_cast<LPARAM>(dialog.m_backgroundList.GetSafeHwnd()));
    }

    TempFolder program;
    CString saved;
};

TEST_F(Appearance, ListsTheSkinsAndLanguagesThatExist)
{
    CAppearanceDialog dialog(1, 1);
    ASSERT_TRUE(dialog.Create(CAppearanceDialog::IDD));
    EXPECT_EQ(dialog.m_nBackground, 2);
    EXPECT_EQ(dialog.m_backgroundList.GetCount(), 6);
    EXPECT_EQ(ListText(dialog.m_backgroundList, 0), "Image 1");  // the numbered texts
    EXPECT_EQ(ListText(dialog.m_backgroundList, 4), "Mine");
    EXPECT_EQ(ListText(dialog.m_backgroundList, 5), "Blank");
    EXPECT_EQ(dialog.m_backgroundList.GetCurSel(), 2);
    ASSERT_EQ(dialog.m_skinList.GetCount(), 2);  // skin 2 is missing
    EXPECT_EQ(ListText(dialog.m_skinList, 1), "Green");
    EXPECT_EQ(dialog.m_skinList.GetCurSel(), 1);
    ASSERT_EQ(dialog.m_languageList.GetCount(), 2);
    EXPECT_EQ(ListText(dialog.m_languageList, 1), "NULL");  // a language without a name
    dialog.DestroyWindow();
}

TEST_F(Appearance, CancelledOrUnreadablePictureFallsBackToTheFirstImage)
{
    CAppearanceDialog dialog(0, 0);
    ASSERT_TRUE(dialog.Create(CAppearanceDialog::IDD));
    program.Write("broken.jpg", "not a picture");
    for (std::optional<std::string> answer : {std::optional<std::string>(), std::optional(program.Win("broken.jpg"))}) {
        GetRecordingPromptService().QueueFileAnswer(answer);
        ChooseBackground(dialog, CAppearanceDialog::kMyPicture);
        EXPECT_EQ(dialog.m_nBackground, 0);
        EXPECT_EQ(dialog.m_backgroundList.GetCurSel(), 0);
    }
    EXPECT_FALSE(std::filesystem::exists(program.Linux("tempbg.jpg")));
    dialog.DestroyWindow();
}

TEST_F(Appearance, OwnPictureIsLightenedIntoTheProgramFolder)
{
    CRasterImage black(RASTER_TYPE_JPEG);
    black.CreateFilled(16, 8, 24, RGB(0, 0, 0));
    ASSERT_TRUE(black.SaveFile(program.Win("black.jpg").c_str(), RASTER_TYPE_JPEG));
    CAppearanceDialog dialog(0, 0);
    ASSERT_TRUE(dialog.Create(CAppearanceDialog::IDD));
    GetRecordingPromptService().QueueFileAnswer(program.Win("black.jpg"));
    ChooseBackground(dialog, CAppearanceDialog::kMyPicture);
    EXPECT_EQ(dialog.m_nBackground, CAppearanceDialog::kMyPicture);
    CRasterImage lightened(RASTER_TYPE_JPEG);
    ASSERT_TRUE(lightened.LoadFile(program.Win("tempbg.jpg").c_str(), RASTER_TYPE_JPEG));
    for (auto [x, y] : {std::pair{0, 0}, {15, 7}, {8, 4}}) {
        const RGBQUAD pixel = lightened.GetPixelColor(x, y);
        EXPECT_NEAR(pixel.rgbRed, 180, 1);
        EXPECT_NEAR(pixel.rgbGreen, 180, 1);
        EXPECT_NEAR(pixel.rgbBlue, 180, 1);
    }
    dialog.DestroyWindow();
}

}  // namespace
