// Skins and languages chosen from the settings menu: settings written once, texts relabelled at once.
#include "dialog_fixture.h"
#include "converter/settings_menu.h"

namespace {

CString ColumnTitle(CListCtrl& list, int column)
{
    char text[100] = {};
    LVCOLUMN info = {};
    info.mask = LVCF_TEXT;
    info.pszText = text;
    info.cchTextMax = sizeof(text);
    list.GetColumn(column, &info);
    return text;
}

TEST_F(ConverterDialog, ALanguageChoiceRelabelsTheWindowAtOnce)
{
    CSettingsIni().WriteInt("common", "curlang", 1);
    const CString english = ColumnTitle(dialog->m_fileList, 0);
    dialog->SendMessage(WM_COMMAND, ID_LANGUAGE_FIRST + 1);
    EXPECT_EQ(CSettingsIni().GetInt("common", "curlang"), 2);
    EXPECT_EQ(dialog->m_language, 2);
    EXPECT_NE(ColumnTitle(dialog->m_fileList, 0), english);
    EXPECT_EQ(ColumnTitle(dialog->m_fileList, 0), GetLanguageText("filename"));
    EXPECT_NE(Log().find("Select Language -  2"), std::string::npos);
}

TEST_F(ConverterDialog, ChoosingTheSkinInUseWritesNothing)
{
    CSettingsIni().WriteInt("common", "skin", 1);
    dialog->SendMessage(WM_COMMAND, ID_SKIN_FIRST);
    EXPECT_EQ(Log().find("Select skin - "), std::string::npos);
    dialog->SendMessage(WM_COMMAND, ID_SKIN_FIRST + 1);
    EXPECT_EQ(CSettingsIni().GetInt("common", "skin"), 2);
    EXPECT_NE(Log().find("Select skin -  2"), std::string::npos);
}

// Format texts of a language file are filled in only when their directives are the ones expected; others are
// shown as they stand.
TEST_F(ConverterDialog, LanguageTextsWithOtherDirectivesAreShownAsTheyStand)
{
    std::string lang = program.Read("lang/lang002.ini");
    for (const char* line : {"x118=", "x182=", "x183="}) {
        size_t at = lang.find(std::string("\n") + line);
        ASSERT_NE(at, std::string::npos) << line;
        lang.erase(at + 1, lang.find('\n', at + 1) - at - 1);
    }
    lang += "\nx118=Fade %s%s%s%n\nx182=%s of %s: %n\nx183=File: %d %s %s\n";
    program.Write("lang/lang002.ini", lang);
    CSettingsIni().WriteInt("common", "curlang", 1);
    dialog->SendMessage(WM_COMMAND, ID_LANGUAGE_FIRST + 1);
    EXPECT_EQ(dialog->m_labels[LBL_FADE].GetText(), "Fade %s%s%s%n");

    dialog->m_converting = 1;
    dialog->m_rowCount = 2;
    dialog->m_currentRowFile = "C:\\media\\song.mp3";
    dialog->ShowProgress(40);
    dialog->m_converting = 0;
    EXPECT_EQ(dialog->m_progressLabel.GetText(), "%s of %s: %n");
    EXPECT_EQ(dialog->m_progressFileLabel.GetText(), "File: %d %s %s");
}

}  // namespace
