// CConverterDlg: the file list's commands: choose and add media files, remove, delete and reorder rows.
#include "converter/converter_dlg.h"
#include "converter/file_list_rows.h"
#include "kernel/file_api.h"
#include "services/file_exists.h"
#include "services/language_text.h"
#include "services/log_writer.h"

int CConverterDlg::ChooseMediaFiles(CString title, CStringArray& paths)
{
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_HIDEREADONLY,
                       "ALL|*.*|RealMedia Files (*.rm,*.ram,*.rmvb)|*.rm;*.ram;*.rmvb|"
                       "Windows Media (avi,mpg,wav,wmv,asf)|*.avi;*.mpg;*.mpeg;*.wav;*.wmv;*.asf||",
                       this);
    dialog.m_ofn.lpstrTitle = title;
    if (dialog.DoModal() != IDOK)
        return 1;
    CStringArray chosen;
    POSITION pos = dialog.GetStartPosition();
    while (pos)
        chosen.Add(dialog.GetNextPathName(pos));
    KeepMediaFiles(chosen, paths);
    return 1;
}

void CConverterDlg::SelectFirstRow()
{
    m_fileList.SetFocus();
    SelectOnlyRow(m_fileList, 0);
    LRESULT result = 0;
    OnFileClick(nullptr, &result);
}

void CConverterDlg::AddFiles()
{
    if (BusyMeasuring("add"))
        return;
    CStringArray paths;
    ChooseMediaFiles(GetLanguageText("openmediafiles"), paths);
    if (paths.GetSize() == 0)
        return;
    WriteLog("Open files - ", static_cast<int>(paths.GetSize()));
    for (int i = 0; i < paths.GetSize(); ++i) {
        if (FindMediaRow(m_fileList, paths[i]) >= 0)
            continue;
        InsertMediaRow(m_fileList, i, paths[i], GetLanguageText("Pending"));
        const CString clipInfo = GetClipInfoPath(paths[i]);
        if (FileExists(clipInfo))
            DeleteFile(clipInfo);
        SetCurrentFile(paths[i]);
    }
    SelectFirstRow();
}

void CConverterDlg::RemoveFiles()
{
    if (BusyMeasuring("remove"))
        return;
    const int selected = static_cast<int>(m_fileList.GetSelectedCount());
    WriteLog("Remove files - ", selected);
    for (int i = 0; i < selected; ++i)
        m_fileList.DeleteItem(FirstSelectedRow(m_fileList));
    m_currentMedia.Empty();
    m_duration = 0;
    m_rangeBar.m_dPos = 0;
    m_rangeBar.m_dStart = 0;
    m_rangeBar.m_dEnd = 100;
    m_rangeBar.Invalidate();
    SelectFirstRow();
}

int CConverterDlg::DeleteSelectedFiles()
{
    if (BusyMeasuring("delete"))
        return m_fileList.GetItemCount();
    if (m_fileList.GetItemCount() == 0) {
        ClosePreview();
        return 0;
    }
    for (int row = FirstSelectedRow(m_fileList); row >= 0; row = FirstSelectedRow(m_fileList))
        m_fileList.DeleteItem(row);
    if (m_fileList.GetItemCount() == 0)
        ClosePreview();
    return m_fileList.GetItemCount();
}

void CConverterDlg::MoveFileUp()
{
    if (BusyMeasuring("up"))
        return;
    const int row = FirstSelectedRow(m_fileList);
    if (row <= 0)
        return;
    MoveMediaRow(m_fileList, row, row - 1);
}

void CConverterDlg::MoveFileDown()
{
    if (BusyMeasuring("down"))
        return;
    const int row = FirstSelectedRow(m_fileList);
    if (row < 0 || row >= m_fileList.GetItemCount() - 1)
        return;
    MoveMediaRow(m_fileList, row, row + 1);
}

void CConverterDlg::OnDblClkList(NMHDR* notify, LRESULT* result)
{
    *result = 0;
    if (m_heightState == 1)
        return;
    const int row = FirstSelectedRow(m_fileList);
    if (row < 0)
        return;
    OpenInPreview(m_fileList.PathAt(row));
}
