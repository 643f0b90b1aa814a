// CSkinDialog: placing the caption buttons along the top right edge, at start, after a skin change and on resize.
#include "skinui/skin_dialog.h"

#include "services/deliverable.h"
#include "services/language_text.h"
#include "services/skin_element.h"

namespace {

// The composer's caption elements: maximise, restore, minimise, hide to tray, help, about.
constexpr int kCloseElement = 40;
constexpr int kMaximizeElement = 56;
constexpr int kRestoreElement = 58;
constexpr int kMinimizeElement = 57;
constexpr int kToTrayElement = 59;
constexpr int kHelpElement = 78;
constexpr int kAboutElement = 42;
// The converter's: hide to tray, minimise, home page, help.
constexpr int kConvToTrayElement = 14;
constexpr int kConvMinimizeElement = 15;
constexpr int kConvHomePageElement = 16;
constexpr int kConvHelpElement = 17;
// The frame mode's maximise/restore pair comes from bitmap resources of this size.
constexpr int kPairWidth = 18;
constexpr int kPairHeight = 20;
constexpr UINT kMaximizeResource = 303;
constexpr UINT kRestoreResource = 304;
// Tips of the buttons that no skin element describes: language-file ids, read again at every placing so that a
// language change shows with the next reload.
constexpr const char* kCloseTip = "x119";
constexpr const char* kToTrayTip = "x135";
constexpr const char* kMinimizeTip = "x133";
constexpr const char* kMaximizeTip = "x132";
constexpr const char* kRestoreTip = "x134";
constexpr const char* kHomePageTip = "x163";
constexpr const char* kHelpTip = "x152";

CSkinElement Element(int number)
{
    CSkinElement element;
    LoadSkinElement(number, &element);
    return element;
}

int WindowWidth(const CWnd* wnd)
{
    CRect r;
    wnd->GetWindowRect(&r);
    return r.Width();
}

// Creates the button at r, or moves an existing one there, and gives it the element's skin.
void SetUpButton(CSkinButton& button, CWnd* owner, const CSkinElement& e, const CRect& r, UINT id, bool create,
                 const CString& tip)
{
    if (create)
        button.Create("", WS_CHILD, r, owner, id);
    else if (!button.m_hWnd)
        return;
    else
        button.MoveWindow(&r);
    button.SetSkin(2, e.position.Width(), e.position.Height(), e.bgimage, 0, id, FALSE, owner, WM_SKINCOMMAND, id,
                   nullptr, 0, nullptr, 0, nullptr, 0, tip, e.title, e.fntname, e.fntsize, e.fntcolor);
    if (!create)
        button.Invalidate(FALSE);
}

CRect ButtonRect(int left, int top, const CSkinElement& e)
{
    return CRect(left, top, left + e.position.Width(), top + e.position.Height());
}

}  // namespace

void CSkinDialog::CreateCaptionButtons()
{
    if (IsConverterDeliverable())
        PlaceConverterCaptionButtons(true);
    else
        PlaceCaptionButtons(true);
}

void CSkinDialog::ReloadCaptionButtons()
{
    if (IsConverterDeliverable())
        PlaceConverterCaptionButtons(false);
    else
        PlaceCaptionButtons(false);
}

void CSkinDialog::PlaceCaptionButtons(bool create)
{
    int width = WindowWidth(this);
    CSkinElement e = Element(kCloseElement);
    int left = width - 1 - e.position.Width();
    SetUpButton(m_btnClose, this, e, ButtonRect(left, 1, e), ID_CAPTION_CLOSE, create, e.tip);
    if (m_nCaptionMode == CAPTION_FRAME) {
        PlaceFramePair(left, create, ID_CAPTION_MAXIMIZE, ID_CAPTION_RESTORE);
        return;
    }
    if (m_nCaptionMode != CAPTION_MAIN)
        return;
    const struct {
        CSkinButton* button;
        int element;
        UINT id;
    } row[] = {
        {&m_btnMaximize, kMaximizeElement, ID_CAPTION_MAXIMIZE},
        {&m_btnRestore, kRestoreElement, ID_CAPTION_RESTORE},
        {&m_btnMinimize, kMinimizeElement, ID_CAPTION_MINIMIZE},
        {&m_btnToTray, kToTrayElement, ID_CAPTION_TOTRAY},
        {&m_btnHelp, kHelpElement, ID_CAPTION_HELP},
        {&m_btnAbout, kAboutElement, ID_CAPTION_ABOUT},
    };
    // Each button steps left by the width of the element loaded before it; restore shares maximise's place.
    int step = e.position.Width();
    CRect maximizeRect;
    for (const auto& b : row) {
        e = Element(b.element);
        CRect r;
        if (b.button == &m_btnRestore) {
            r = maximizeRect;
        } else {
            left -= step;
            r = ButtonRect(left, 1, e);
        }
        if (b.button == &m_btnMaximize)
            maximizeRect = r;
        step = e.position.Width();
        SetUpButton(*b.button, this, e, r, b.id, create, e.tip);
    }
    if (create)
        m_btnRestore.ShowWindow(SW_HIDE);
}

void CSkinDialog::PlaceFramePair(int closeLeft, bool create, UINT maximizeId, UINT restoreId)
{
    CRect r(closeLeft - kPairWidth, 1, closeLeft, 1 + kPairHeight);
    const struct {
        CSkinButton* button;
        UINT id;
        UINT resource;
        const char* tip;
    } pair[] = {
        {&m_btnMaximize, maximizeId, kMaximizeResource, kMaximizeTip},
        {&m_btnRestore, restoreId, kRestoreResource, kRestoreTip},
    };
    for (const auto& b : pair) {
        if (create)
            b.button->Create("", WS_CHILD, r, this, b.id);
        else if (!b.button->m_hWnd)
            continue;
        else
            b.button->MoveWindow(&r);
        b.button->SetResourceSkin(kPairWidth, kPairHeight, b.resource, b.id, FALSE, this, WM_SKINCOMMAND, b.id, nullptr,
                                  0, nullptr, 0, nullptr, 0, TranslateText(b.tip), "");
    }
    if (create)
        m_btnRestore.ShowWindow(SW_HIDE);
}

void CSkinDialog::PlaceConverterCaptionButtons(bool create)
{
    int width = WindowWidth(this);
    CSkinElement e = Element(kCloseElement);
    int left = width - 1 - e.position.Width();
    SetUpButton(m_btnClose, this, e, ButtonRect(left, 0, e), ID_CONV_CLOSE, create, TranslateText(kCloseTip));
    // The converter's other caption buttons stand where their elements' rectangles say.
    if (m_nCaptionMode == CAPTION_MAIN) {
        e = Element(kConvToTrayElement);
        SetUpButton(m_btnToTray, this, e, e.position, ID_CONV_TOTRAY, create, TranslateText(kToTrayTip));
        e = Element(kConvMinimizeElement);
        SetUpButton(m_btnMinimize, this, e, e.position, ID_CONV_MINIMIZE, create, TranslateText(kMinimizeTip));
    }
    if (m_nCaptionMode == CAPTION_MAIN || m_nCaptionMode == CAPTION_FRAME) {
        e = Element(kConvHomePageElement);
        SetUpButton(m_btnHomePage, this, e, e.position, ID_CONV_HOMEPAGE, create, TranslateText(kHomePageTip));
        e = Element(kConvHelpElement);
        SetUpButton(m_btnHelp, this, e, e.position, ID_CONV_HELP, create, TranslateText(kHelpTip));
    }
    if (m_nCaptionMode == CAPTION_FRAME)
        PlaceFramePair(left, create, ID_CONV_MAXIMIZE, ID_CONV_RESTORE);
}

void CSkinDialog::OnSize(UINT, int, int)
{
    Default();
    if (m_nCaptionMode == CAPTION_CHILD || !m_btnClose.m_hWnd) {
        Invalidate(FALSE);
        return;
    }
    int width = WindowWidth(this);
    if (IsConverterDeliverable()) {
        if (m_nCaptionMode == CAPTION_FRAME) {
            m_btnClose.MoveWindow(width - 19, 1, 18, 20);
            m_btnMaximize.MoveWindow(width - 37, 1, 18, 20);
            m_btnRestore.MoveWindow(width - 37, 1, 18, 20);
        }
    } else {
        CSkinElement e = Element(kCloseElement);
        int left = width - 1 - e.position.Width();
        m_btnClose.MoveWindow(ButtonRect(left, 1, e));
        int step = e.position.Width();
        e = Element(kMaximizeElement);
        left -= step;
        m_btnMaximize.MoveWindow(ButtonRect(left, 1, e));
        m_btnRestore.MoveWindow(ButtonRect(left, 1, e));
        step = e.position.Width();
        if (m_nCaptionMode == CAPTION_MAIN) {
            const struct {
                CSkinButton* button;
                int element;
            } row[] = {{&m_btnMinimize, kMinimizeElement},
                       {&m_btnToTray, kToTrayElement},
                       {&m_btnHelp, kHelpElement},
                       {&m_btnAbout, kAboutElement}};
            for (const auto& b : row) {
                e = Element(b.element);
                left -= step;
                b.button->MoveWindow(ButtonRect(left, 1, e));
                step = e.position.Width();
            }
        }
    }
    if (m_btnMaximize.m_hWnd && m_btnRestore.m_hWnd) {
        m_btnMaximize.ShowWindow(m_bMaximized ? SW_HIDE : SW_SHOW);
        m_btnRestore.ShowWindow(m_bMaximized ? SW_SHOW : SW_HIDE);
    }
    Invalidate(FALSE);
}
