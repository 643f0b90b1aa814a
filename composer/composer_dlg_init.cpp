// CComposerDlg: construction, start-up, the background erase and teardown.
#include "audio/midi_audio.h"
#include "composer/composer_dlg.h"
#include "composer/legacy_language.h"
#include "services/app_folder.h"
#include "services/composer_globals.h"
#include "services/ini_file.h"

BEGIN_MESSAGE_MAP(CComposerDlg, CSkinDialog)
ON_MESSAGE(WM_SKINCOMMAND, OnUserMessage)
ON_WM_ERASEBKGND()
ON_COMMAND(IDC_CLOSE_COMMAND, OnCloseCommand)
ON_WM_TIMER()
ON_WM_MOVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_SIZE()
ON_WM_SETCURSOR()
ON_WM_PAINT()
ON_WM_VSCROLL()
ON_WM_HSCROLL()
END_MESSAGE_MAP()

CComposerDlg::CComposerDlg(CWnd* parent)
    : CSkinDialog(IDD_COMPOSER, parent, g_strProductTitle, 0),
      m_markerBar(nullptr),
      m_rangeBar(nullptr),
      m_fadeSlider(nullptr),
      m_tempoSlider(nullptr),
      m_trackPanel(nullptr)
{
    m_hIcon = ::LoadIcon(AfxGetInstanceHandle(), MAKEINTRESOURCE(128));
    MainDialogLink link;
    link.pDialog = this;
    link.pLanguage = &m_nLanguage;
    link.pSkin = &m_nSkin;
    link.pTransparent = &m_crTransparent;
    SetMainDialog(link);
    ApplyExportSettings();
}

CComposerDlg::~CComposerDlg()
{
    if (m_hIcon)
        DestroyIcon(m_hIcon);
    if (m_pProgressDialog) {
        if (m_pProgressDialog->GetSafeHwnd())
            m_pProgressDialog->DestroyWindow();
        delete m_pProgressDialog;
        MidiExportContext context = GetMidiExportContext();
        context.pProgressDialog = nullptr;
        context.bMainDialog = false;
        SetMidiExportContext(context);
    }
    FreeBass();
    // A later main dialog (the tests make several) must not find this one.
    if (GetMainDialog() == this)
        SetMainDialog(MainDialogLink());
}

void CComposerDlg::DoDataExchange(CDataExchange* dx)
{
    CSkinDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_HSCROLL_BAR, m_hScrollBar);
    DDX_Control(dx, IDC_VSCROLL_BAR, m_vScrollBar);
}

void CComposerDlg::CentreWindow(int width, int height)
{
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    CRect r(cx / 2, cy / 2, cx / 2, cy / 2);
    r.InflateRect(width / 2, height / 2);
    MoveWindow(r.left, r.top, r.Width(), r.Height(), TRUE);
}

BOOL CComposerDlg::OnInitDialog()
{
    CIniFile ini(GetAppFolder() + "common.ini");
    ini.SetSection("common");
    m_nFadeTime = ini.GetInt("fidetime", 5);
    m_bFadeIn = ini.GetInt("fidein", 0);
    m_bFadeOut = ini.GetInt("fideout", 0);
    m_bFixedDuration = ini.GetInt("fixsize", 0);
    FollowCurrentLanguage();

    SetWindowText(g_strProductTitle);
    CentreWindow(GetSystemMetrics(SM_CXSCREEN) * 4 / 5, GetSystemMetrics(SM_CYSCREEN) * 4 / 5);
    CSkinDialog::OnInitDialog();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    CreateControls();

    CRect window;
    GetWindowRect(&window);
    if (m_nToolbarEnd > window.Width())
        CentreWindow(m_nToolbarEnd, window.Height());

    ApplyExportSettings();
    ApplyFadeTime(FALSE);
    UpdateRangeTexts(FALSE);
    LayoutControls();
    SendMessage(WM_SKINCOMMAND, CMD_NEW, 0);

    m_pProgressDialog = new CProgressDialog(nullptr);
    m_pProgressDialog->Create(CProgressDialog::IDD, nullptr);
    MidiExportContext context = GetMidiExportContext();
    context.pProgressDialog = m_pProgressDialog;
    context.bMainDialog = true;
    SetMidiExportContext(context);

    m_ffmpeg.SetNotify(this, WM_SKINCOMMAND, NOTIFY_FFMPEG);
    InitBassMidi();
    if (!m_strStartupSong.IsEmpty())
        OpenSong(m_strStartupSong);
    return TRUE;
}

BOOL CComposerDlg::OnEraseBkgnd(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    CBrush brush(g_crSkinTransparent);
    dc->FillRect(&client, &brush);
    return TRUE;
}

void CComposerDlg::SetPageSize(int width, int height) { m_scoreView.SetPageSize(width, height); }
