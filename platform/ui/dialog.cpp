// CDialog: template lookup, modal running with the owner disabled, modeless creation and the dialog commands.
#include "ui/dialog.h"

#include "ui/dialog_template.h"
#include "ui/window_link.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

int RunModalLoop(HWND dialog);
bool DialogEnded(HWND dialog);
INT_PTR DialogResultOf(HWND dialog);

CDialog::CDialog() = default;

CDialog::CDialog(UINT templateId, CWnd* parent)
    : m_lpszTemplateName(MAKEINTRESOURCE(templateId)), m_nIDHelp(templateId), m_pParentWnd(parent)
{
}

CDialog::CDialog(LPCTSTR templateName, CWnd* parent) : m_pParentWnd(parent)
{
    if (IS_INTRESOURCE(templateName)) {
        m_lpszTemplateName = templateName;
    } else {
        m_templateName = templateName;
        m_lpszTemplateName = m_templateName;
    }
}

CDialog::~CDialog()
{
    if (m_hWnd && WindowObject(m_hWnd) == this)
        DestroyWindow();
}

HWND CDialog::CreateFromTemplate(HWND owner)
{
    std::optional<DialogTemplate> t = LoadDialogTemplate(m_lpszTemplateName);
    if (!t)
        return nullptr;
    return CreateDialogFromTemplate(*t, owner, this, 0);
}

BOOL CDialog::Create(LPCTSTR templateName, CWnd* parent)
{
    if (!IS_INTRESOURCE(templateName)) {
        m_templateName = templateName;
        templateName = m_templateName;
    }
    m_lpszTemplateName = templateName;
    m_pParentWnd = parent;
    HWND owner = parent ? parent->GetSafeHwnd() : nullptr;
    if (!owner && AfxGetMainWnd() && AfxGetMainWnd() != this)
        owner = AfxGetMainWnd()->GetSafeHwnd();
    return CreateFromTemplate(owner) != nullptr;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) { return Create(MAKEINTRESOURCE(templateId), parent); }

INT_PTR CDialog::DoModal()
{
    // The owner is the top-level window of the parent, else the main window.
    // A parent whose window is not made (or gone) has no top-level window: the dialog is then ownerless.
    CWnd* parent = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
    CWnd* top = parent && parent != this ? parent->GetTopLevelParent() : nullptr;
    HWND owner = top ? top->GetSafeHwnd() : nullptr;
    if (owner && !::IsWindowVisible(owner))
        owner = nullptr;
    bool reenable = false;
    if (owner && ::IsWindowEnabled(owner)) {
        ::EnableWindow(owner, FALSE);
        reenable = true;
    }
    INT_PTR result = -1;
    HWND h = CreateFromTemplate(owner);
    if (h && ::IsWindow(h)) {
        if (!DialogEnded(h) && ::IsWindow(h))
            ::ShowWindow(h, SW_SHOWNORMAL);
        RunModalLoop(h);
        result = DialogEnded(h) ? DialogResultOf(h) : -1;
        if (::IsWindow(h))
            ::ShowWindow(h, SW_HIDE);
    }
    if (reenable && ::IsWindow(owner)) {
        ::EnableWindow(owner, TRUE);
        ::SetActiveWindow(owner);
    }
    if (h && ::IsWindow(h))
        DestroyWindow();
    return result;
}

void CDialog::EndDialog(int result)
{
    if (m_hWnd)
        ::EndDialog(m_hWnd, result);
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) { return OnInitDialog(); }

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::PreTranslateMessage(MSG* msg)
{
    if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST && m_hWnd &&
        (msg->hwnd == m_hWnd || ::IsChild(m_hWnd, msg->hwnd)))
        return ::IsDialogMessage(m_hWnd, msg);
    return FALSE;
}

void CDialog::NextDlgCtrl() const { ::SetFocus(::GetNextDlgTabItem(m_hWnd, ::GetFocus(), FALSE)); }

void CDialog::PrevDlgCtrl() const { ::SetFocus(::GetNextDlgTabItem(m_hWnd, ::GetFocus(), TRUE)); }

void CDialog::GotoDlgCtrl(CWnd* control)
{
    if (control)
        ::SetFocus(control->m_hWnd);
}

void CDialog::SetDefID(UINT id) { ::SendMessage(m_hWnd, DM_SETDEFID, id, 0); }

DWORD CDialog::GetDefID() const { return (DWORD)::SendMessage(m_hWnd, DM_GETDEFID, 0, 0); }

void CDialog::MapDialogRect(LPRECT rect) const { ::MapDialogRect(m_hWnd, rect); }
