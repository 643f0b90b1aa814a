// Language texts: the [stringtip] key, the "x" id, the lang001 fallback and "NULL".
#include "services/language_text.h"

#include "main_dialog_fixture.h"

namespace {

class LanguageText : public MainDialogFixture {
protected:
    void SetUp() override
    {
        MainDialogFixture::SetUp();
        program.Write("common.ini",
                      "[common]\r\ncurlang=3\r\n[stringtip]\r\nok=x001\r\nplain=Plain text\r\nonlyfirst=xabc\r\n"
                      "nowhere=x999\r\nempty=\r\n");
        program.Write("lang/lang003.ini", "[lanstring]\r\nx001=好\r\nxabc=\r\n");
        program.Write("lang/lang001.ini", "[lanstring]\r\nx001=OK\r\nxabc=Open\r\n");
    }
};

TEST_F(LanguageText, LooksUpIdsOnceTheMainDialogExists)
{
    RegisterDialog();
    struct Case {
        const char* key;
        const char* expected;
    } cases[] = {
        {"ok", "好"},        {"plain", "Plain text"}, {"onlyfirst", "Open"},  // empty in lang003, taken from lang001
        {"nowhere", "NULL"}, {"empty", "NULL"},       {"missing", "NULL"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(GetLanguageText(c.key), c.expected) << c.key;
    EXPECT_EQ(language, 3);
}

TEST_F(LanguageText, LeavesIdsBeforeTheMainDialog)
{
    EXPECT_STREQ(GetLanguageText("ok"), "x001");
    EXPECT_STREQ(TranslateText("xabc"), "xabc");
    EXPECT_EQ(language, -1);
}

TEST_F(LanguageText, TextsNotStartingWithXStayAsTheyAre)
{
    RegisterDialog();
    program.Write("common.ini", "[common]\r\ncurlang=3\r\n");
    EXPECT_STREQ(TranslateText("Open"), "Open");
    EXPECT_STREQ(TranslateText("Xabc"), "Xabc");
    EXPECT_STREQ(TranslateText(""), "");
    EXPECT_EQ(language, -1);  // no file was read
}

TEST_F(LanguageText, LanguageZeroReadsLang000)
{
    RegisterDialog();
    program.Write("common.ini", "[stringtip]\r\nok=x001\r\n");
    program.Write("lang/lang000.ini", "[lanstring]\r\nx001=zero\r\n");
    EXPECT_STREQ(GetLanguageText("ok"), "zero");
    EXPECT_EQ(language, 0);
}

}  // namespace
