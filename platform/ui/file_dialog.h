// CFileDialog: the open and save dialogs, with the filter form "Text|*.a;*.b||" and multiple selection.
#pragma once

#include "kernel/list_template.h"
#include "ui/wnd.h"

struct OPENFILENAME {
    DWORD lStructSize;
    HWND hwndOwner;
    HINSTANCE hInstance;
    LPCSTR lpstrFilter;
    LPSTR lpstrCustomFilter;
    DWORD nMaxCustFilter;
    DWORD nFilterIndex;
    LPSTR lpstrFile;
    DWORD nMaxFile;
    LPSTR lpstrFileTitle;
    DWORD nMaxFileTitle;
    LPCSTR lpstrInitialDir;
    LPCSTR lpstrTitle;
    DWORD Flags;
    WORD nFileOffset;
    WORD nFileExtension;
    LPCSTR lpstrDefExt;
};

class CFileDialog : public CWnd {
    DECLARE_DYNAMIC(CFileDialog)
public:
    explicit CFileDialog(BOOL openFileDialog, LPCTSTR defExt = nullptr, LPCTSTR fileName = nullptr,
                         DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR filter = nullptr,
                         CWnd* parent = nullptr);

    // IDOK with the chosen file (or files), IDCANCEL when the user cancels.
    virtual INT_PTR DoModal();

    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;
    CString GetFolderPath() const;
    POSITION GetStartPosition() const;
    CString GetNextPathName(POSITION& pos) const;

    OPENFILENAME m_ofn;

private:
    BOOL m_bOpenFileDialog;
    CString m_filter;
    CString m_defExt;
    CWnd* m_parent;
    char m_fileBuffer[MAX_PATH] = {};
    std::vector<std::string> m_chosen;  // full Windows-style paths of the chosen files
};
