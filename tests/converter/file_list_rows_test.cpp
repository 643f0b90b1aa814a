// The media file list's rows: adding once per path, moving with their texts and selection, and the chooser's filter.
#include <gtest/gtest.h>

#include <filesystem>

#include "converter/file_list_rows.h"
#include "kernel/path_map.h"
#include "tests/support/temp_folder.h"
#include "tests/support/window/ui_fixture.h"

namespace {

class FileListRows : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_POPUP | WS_VISIBLE, 0, 0, 400, 200, nullptr, nullptr));
        ASSERT_TRUE(
            list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, CRect(0, 0, 400, 200), &owner, 3009));
        list.InsertColumn(0, "filename", LVCFMT_LEFT, 300);
        list.InsertColumn(1, "Completed", LVCFMT_LEFT, 100);
    }
    void TearDown() override { owner.DestroyWindow(); }

    // Column 0 of every row, joined with '|'.
    std::string Rows() const
    {
        std::string rows;
        for (int i = 0; i < list.GetItemCount(); ++i)
            rows += std::string(i ? "|" : "") + list.GetItemText(i, 0).GetString();
        return rows;
    }

    CWnd owner;
    CFileListCtrl list;
};

TEST_F(FileListRows, FindsOnlyTheExactPath)
{
    InsertMediaRow(list, 0, "C:\\media\\song.mp3", "Pending");
    InsertMediaRow(list, 1, "C:\\media\\song.mp3.wav", "Pending");
    EXPECT_EQ(FindMediaRow(list, "C:\\media\\song.mp3"), 0);
    EXPECT_EQ(FindMediaRow(list, "C:\\media\\song.mp3.wav"), 1);
    EXPECT_EQ(FindMediaRow(list, "C:\\media\\song"), -1);
    EXPECT_EQ(FindMediaRow(list, "C:\\MEDIA\\SONG.MP3"), -1);
}

// Each row shows its path with '/' and keeps the program's form for every reader, wherever the row goes.
TEST_F(FileListRows, RowsShowTheLinuxPathAndKeepTheProgramsPath)
{
    const struct {
        const char* path;
        const char* shown;
    } cases[] = {
        {"/srv/media/Bell.wav", "/srv/media/Bell.wav"},
        // A Linux name's own backslash and drive-like colon are shown as they are.
        {"/srv/media/a\\b.wav", "/srv/media/a\\b.wav"},
        {"/srv/C:/song.mp3", "/srv/C:/song.mp3"},
        {"/srv/media/bell.WAV", "/srv/media/bell.WAV"},
    };
    for (const auto& c : cases)
        InsertMediaRow(list, list.GetItemCount(), ToWindowsPath(c.path).c_str(), "Pending");
    SelectOnlyRow(list, 0);
    MoveMediaRow(list, 0, 2);
    list.DeleteItem(3);
    const int order[] = {1, 2, 0};
    ASSERT_EQ(list.GetItemCount(), 3);
    for (int row = 0; row < 3; ++row) {
        const auto& c = cases[order[row]];
        EXPECT_EQ(list.GetItemText(row, 0), c.shown);
        EXPECT_EQ(list.PathAt(row), CString(ToWindowsPath(c.path).c_str()));
        EXPECT_EQ(FindMediaRow(list, ToWindowsPath(c.path).c_str()), row);
    }
    EXPECT_EQ(FindMediaRow(list, ToWindowsPath(cases[3].path).c_str()), -1);
    EXPECT_EQ(list.PathAt(3), "");
}

TEST_F(FileListRows, InsertedRowsArePendingAtTheirIndex)
{
    InsertMediaRow(list, 0, "a", "Pending");
    InsertMediaRow(list, 1, "b", "Pending");
    // A second batch goes before the rows already listed.
    InsertMediaRow(list, 0, "c", "Pending");
    EXPECT_EQ(Rows(), "c|a|b");
    EXPECT_EQ(list.GetItemText(0, 1), "Pending");
}

struct MoveCase {
    int from;
    int to;
    const char* rows;
};

class FileListMoves : public FileListRows, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(FileListMoves, KeepTextsAndSelection)
{
    for (const char* path : {"a", "b", "c"})
        InsertMediaRow(list, list.GetItemCount(), path, CString(path) + "-state");
    SelectOnlyRow(list, GetParam().from);
    MoveMediaRow(list, GetParam().from, GetParam().to);
    EXPECT_EQ(Rows(), GetParam().rows);
    const int to = GetParam().to;
    EXPECT_EQ(FirstSelectedRow(list), to);
    EXPECT_EQ(list.GetItemText(to, 1), list.GetItemText(to, 0) + "-state");
}

INSTANTIATE_TEST_SUITE_P(Cases, FileListMoves,
                         ::testing::Values(MoveCase{1, 0, "b|a|c"}, MoveCase{1, 2, "a|c|b"}, MoveCase{2, 1, "a|c|b"},
                                           MoveCase{0, 1, "b|a|c"}),
                         [](const auto& info) {
                             return "From" + std::to_string(info.param.from) + "To" + std::to_string(info.param.to);
                         });

TEST_F(FileListRows, SelectionIsOneRowAtATime)
{
    for (const char* path : {"a", "b", "c"})
        InsertMediaRow(list, list.GetItemCount(), path, "Pending");
    EXPECT_EQ(FirstSelectedRow(list), -1);
    SelectOnlyRow(list, 2);
    SelectOnlyRow(list, 1);
    EXPECT_EQ(FirstSelectedRow(list), 1);
    EXPECT_EQ(list.GetSelectedCount(), 1u);
}

TEST(MediaChooser, KeepsRegularFilesOnly)
{
    TempFolder folder;
    folder.Write("clip one.mp3", "x");
    folder.Write("sub/inner.wav", "x");
    CStringArray candidates;
    // A multiple selection hands over its folder too; it must not become a row.
    candidates.Add(folder.Win("").c_str());
    candidates.Add(folder.Win("sub").c_str());
    candidates.Add(folder.Win("clip one.mp3").c_str());
    candidates.Add(folder.Win("missing.mp3").c_str());
    candidates.Add("");
    candidates.Add(folder.Win("sub/inner.wav").c_str());
    CStringArray paths;
    KeepMediaFiles(candidates, paths);
    ASSERT_EQ(paths.GetSize(), 2);
    EXPECT_EQ(paths[0], CString(folder.Win("clip one.mp3").c_str()));
    EXPECT_EQ(paths[1], CString(folder.Win("sub/inner.wav").c_str()));
}

}  // namespace
