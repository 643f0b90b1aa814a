// Skin elements of the current skin's skin.ini, and the values they store in the main dialog.
#include "services/skin_element.h"

#include "main_dialog_fixture.h"

namespace {

const char* const kSkin =
    "[common]\r\nname=Blue\r\ntranscolor=255,0,255\r\ntranscolor2=255,40,255\r\n"
    "[textbtn07]\r\nposition=10,20,100,30\r\nbgimage=play.bmp\r\ntitle=x010\r\ntip=Play the song\r\n"
    "fntname=Arial\r\nfntsize=12\r\nfntcolor=10,20,30\r\n"
    "[textbtn08]\r\nfntname=myfont.ttf\r\n";

class SkinElement : public MainDialogFixture {
protected:
    void SetUp() override
    {
        MainDialogFixture::SetUp();
        program.Write("common.ini", "[common]\r\ncurlang=1\r\nskin=2\r\n");
        program.Write("lang/lang001.ini", "[lanstring]\r\nx010=Play\r\n");
        program.Write("skin-com/skin-2/skin.ini", kSkin);
    }
};

TEST_F(SkinElement, ReadsEveryKey)
{
    RegisterDialog();
    CSkinElement element;
    LoadSkinElement(7, &element);
    std::string folder = program.Win("skin-com\\skin-2\\");
    EXPECT_EQ(element.position, CRect(10, 20, 110, 50));
    EXPECT_EQ(std::string(element.bgimage), folder + "play.bmp");
    EXPECT_STREQ(element.title, "Play");
    EXPECT_STREQ(element.tip, "Play the song");
    EXPECT_STREQ(element.fntname, "Arial");
    EXPECT_EQ(element.fntsize, 12);
    EXPECT_EQ(element.fntcolor, RGB(10, 20, 30));
    EXPECT_EQ(element.fntcolorNumbers, CRect(10, 20, 40, 20));
    EXPECT_EQ(skin, 2);
    EXPECT_EQ(transparent, RGB(255, 0, 255));
    EXPECT_EQ(transparentHigh, 0x654321u);  // the composer keeps one transparent colour
    EXPECT_EQ(g_crSkinTransparent, RGB(255, 0, 255));
}

TEST_F(SkinElement, FontFileAndMissingKeys)
{
    RegisterDialog();
    CSkinElement element;
    LoadSkinElement(8, &element);
    std::string folder = program.Win("skin-com\\skin-2\\");
    EXPECT_EQ(std::string(element.fntname), folder + "myfont.ttf");
    EXPECT_EQ(std::string(element.bgimage), folder + "NULL");
    EXPECT_STREQ(element.title, "NULL");
    EXPECT_EQ(element.position, CRect(0, 0, 0, 0));
    EXPECT_EQ(element.fntsize, 0);
}

TEST_F(SkinElement, MissingSkinKeyMeansSkinOne)
{
    program.Write("common.ini", "[common]\r\ncurlang=1\r\n");
    program.Write("skin-com/skin-1/skin.ini", "[textbtn00]\r\nfntsize=9\r\n");
    RegisterDialog();
    CSkinElement element;
    LoadSkinElement(0, &element);
    EXPECT_EQ(skin, 1);
    EXPECT_EQ(element.fntsize, 9);
}

TEST_F(SkinElement, BeforeTheMainDialogSkinOneIsReadUntranslated)
{
    program.Write("skin-com/skin-1/skin.ini", "[textbtn07]\r\ntitle=x010\r\n");
    CSkinElement element;
    LoadSkinElement(7, &element);
    EXPECT_STREQ(element.title, "x010");
    EXPECT_EQ(skin, -1);
    EXPECT_EQ(g_crSkinTransparent, 0u);
}

}  // namespace
