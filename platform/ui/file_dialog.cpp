// CFileDialog: runs the file prompt of the prompt service and keeps the chosen paths.
#include "ui/file_dialog.h"

#include <cstring>

#include "kernel/prompt_service.h"

IMPLEMENT_DYNAMIC(CFileDialog, CWnd)

CFileDialog::CFileDialog(BOOL openFileDialog, LPCTSTR defExt, LPCTSTR fileName, DWORD flags, LPCTSTR filter,
                         CWnd* parent)
    : m_ofn{},
      m_bOpenFileDialog(openFileDialog),
      m_filter(filter ? filter : ""),
      m_defExt(defExt ? defExt : ""),
      m_parent(parent)
{
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.lpstrFile = m_fileBuffer;
    m_ofn.nMaxFile = sizeof(m_fileBuffer);
    m_ofn.Flags = flags | OFN_EXPLORER | OFN_ENABLESIZING;
    m_ofn.lpstrDefExt = m_defExt.IsEmpty() ? nullptr : m_defExt.GetString();
    m_ofn.lpstrFilter = m_filter.IsEmpty() ? nullptr : m_filter.GetString();
    if (fileName)
        std::strncpy(m_fileBuffer, fileName, sizeof(m_fileBuffer) - 1);
}

INT_PTR CFileDialog::DoModal()
{
    FilePromptRequest r;
    r.open = m_bOpenFileDialog != FALSE;
    r.owner = m_ofn.hwndOwner   ? m_ofn.hwndOwner
              : m_parent        ? m_parent->GetSafeHwnd()
              : AfxGetMainWnd() ? AfxGetMainWnd()->GetSafeHwnd()
                                : nullptr;
    r.title = m_ofn.lpstrTitle ? m_ofn.lpstrTitle : "";
    r.filter = m_ofn.lpstrFilter ? m_ofn.lpstrFilter : "";
    r.defaultExtension = m_ofn.lpstrDefExt ? m_ofn.lpstrDefExt : "";
    r.initialName = m_ofn.lpstrFile ? m_ofn.lpstrFile : "";
    r.initialFolder = m_ofn.lpstrInitialDir ? m_ofn.lpstrInitialDir : "";
    r.flags = m_ofn.Flags;
    std::optional<std::string> answer = PromptForFile(r);
    m_chosen.clear();
    if (!answer)
        return IDCANCEL;
    // Several files come as the folder and the names, separated by zero bytes.
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t i = 0; i <= answer->size(); ++i)
        if (i == answer->size() || (*answer)[i] == '\0') {
            parts.push_back(answer->substr(start, i - start));
            start = i + 1;
        }
    if (parts.size() > 1) {
        std::string folder = parts[0];
        if (!folder.empty() && folder.back() != '\\')
            folder += '\\';
        for (size_t i = 1; i < parts.size(); ++i)
            if (!parts[i].empty())
                m_chosen.push_back(folder + parts[i]);
    } else {
        m_chosen.push_back(parts[0]);
    }
    std::string first = m_chosen.empty() ? "" : m_chosen[0];
    if (m_ofn.lpstrFile && m_ofn.nMaxFile > 0) {
        size_t n = std::min<size_t>(first.size(), m_ofn.nMaxFile - 1);
        std::memcpy(m_ofn.lpstrFile, first.data(), n);
        m_ofn.lpstrFile[n] = 0;
        size_t slash = first.find_last_of('\\');
        m_ofn.nFileOffset = (WORD)(slash == std::string::npos ? 0 : slash + 1);
        size_t dot = first.find_last_of('.');
        m_ofn.nFileExtension = (WORD)(dot == std::string::npos || dot < m_ofn.nFileOffset ? 0 : dot + 1);
    }
    return IDOK;
}

CString CFileDialog::GetPathName() const { return m_chosen.empty() ? CString() : CString(m_chosen[0]); }

CString CFileDialog::GetFileName() const
{
    CString path = GetPathName();
    return path.Mid(path.ReverseFind('\\') + 1);
}

CString CFileDialog::GetFileExt() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot < 0 ? CString() : name.Mid(dot + 1);
}

CString CFileDialog::GetFileTitle() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot < 0 ? name : name.Left(dot);
}

CString CFileDialog::GetFolderPath() const
{
    CString path = GetPathName();
    int slash = path.ReverseFind('\\');
    return slash < 0 ? CString() : path.Left(slash);
}

// Positions of the walk over the chosen files are the file's index plus one.
POSITION CFileDialog::GetStartPosition() const
{
    return m_chosen.empty() ? nullptr : reinterpret_cast<POSITION>((intptr_t)1);
}

CString CFileDialog::GetNextPathName(POSITION& pos) const
{
    size_t i = (size_t) reinterpret_cast<intptr_t>(pos) - 1;
    if (!pos || i >= m_chosen.size()) {
        pos = nullptr;
        return CString();
    }
    pos = i + 1 < m_chosen.size() ? reinterpret_cast<POSITION>((intptr_t)(i + 2)) : nullptr;
    return CString(m_chosen[i]);
}
