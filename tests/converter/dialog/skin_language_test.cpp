// Skins and languages chosen from the settings menu: settings written once, texts relabelled at once.
#include "dialog_fixture.h"

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
    dialog->SendMessage(WM_COMMAND, 11201);
    EXPECT_EQ(CSettingsIni().GetInt("common", "curlang"), 2);
    EXPECT_EQ(dialog->m_language, 2);
    EXPECT_NE(ColumnTitle(dialog->m_fileList, 0), english);
    EXPECT_EQ(ColumnTitle(dialog->m_fileList, 0), GetLanguageText("filename"));
    EXPECT_NE(Log().find("Select Language -  2"), std::string::npos);
}

TEST_F(ConverterDialog, ChoosingTheSkinInUseWritesNothing)
{
    CSettingsIni().WriteInt("common", "skin", 1);
    dialog->SendMessage(WM_COMMAND, 11000);
    EXPECT_EQ(Log().find("Select skin - "), std::string::npos);
    dialog->SendMessage(WM_COMMAND, 11001);
    EXPECT_EQ(CSettingsIni().GetInt("common", "skin"), 2);
    EXPECT_NE(Log().find("Select skin -  2"), std::string::npos);
}

}  // namespace
