// The demo dialog: each control set up from the skin elements its program uses for it.
#include "demo_skin_dialog.h"

#include "services/composer_globals.h"
#include "skinui/adv_combo_drop_wnd.h"
#include "services/deliverable.h"
#include "services/skin_element.h"
#include "skinui/skin_command.h"
#include "skinui/skin_track_resources.h"

namespace {

constexpr UINT kTemplateId = 9100;
constexpr UINT kImageResource = 3054;
constexpr UINT kTipBitmap = 159;

// The skin elements the programs use for the kind of control shown.
struct DemoElements {
    int buttons[3];    // normal, checked by its group, selected
    int pictureLabel;  // a label over a picture, or with the program's label font
    int textLabel;     // a flat label
    int slider;
};

const DemoElements& ElementsOfProgram()
{
    static const DemoElements composer{{60, 79, 81}, 26, 21, 46};
    static const DemoElements converter{{2, 23, 27}, 15, 22, 29};
    return IsConverterDeliverable() ? converter : composer;
}

CSkinElement Element(int number)
{
    CSkinElement element;
    LoadSkinElement(number, &element);
    return element;
}

}  // namespace

// The composer's main window shows the whole caption row; the converter's dialogs have a close button only.
CDemoSkinDialog::CDemoSkinDialog()
    : CSkinDialog(kTemplateId, nullptr, "Skinned toolkit demo", IsConverterDeliverable() ? CAPTION_CHILD : CAPTION_MAIN)
{
    MainDialogLink link;
    link.pDialog = this;
    link.pLanguage = &m_nLanguage;
    link.pSkin = &m_nSkin;
    link.pTransparent = &m_crTransparent;
    link.pTransparentHigh = &m_crTransparentHigh;
    SetMainDialog(link);
}

BOOL CDemoSkinDialog::OnInitDialog()
{
    CSkinDialog::OnInitDialog();
    SetWindowPos(nullptr, 0, 0, 600, 380, SWP_NOMOVE | SWP_NOZORDER);
    if (IsConverterDeliverable())
        CreateCaptionButtons();
    CreateButtons(30);
    CreateLabels(80);
    CreateTracks(115);
    CreateToolControls(160);
    CreateCombos(200);
    return TRUE;
}

void CDemoSkinDialog::CreateButtons(int y)
{
    const DemoElements& elements = ElementsOfProgram();
    // The second is checked by its bound group value, the third shows its selected face.
    int* groups[3] = {nullptr, &m_nGroup, nullptr};
    int* selects[3] = {nullptr, nullptr, &m_nSelected};
    for (int i = 0, x = 10; i < 3; ++i) {
        CSkinElement e = Element(elements.buttons[i]);
        int w = e.position.Width(), h = e.position.Height();
        m_buttons[i].Create("", WS_CHILD, CRect(x, y, x + w, y + h), this, 100 + i);
        m_buttons[i].SetSkin(2, w, h, e.bgimage, 0, 1 + i, FALSE, this, WM_SKINCOMMAND, 100 + i, groups[i], 1, nullptr,
                             0, selects[i], 1, e.tip, e.title, e.fntname, e.fntsize, e.fntcolor);
        x += w + 10;
    }
    m_image.Create("", WS_CHILD | WS_VISIBLE, CRect(300, y, 320, y + 20), this);
    m_image.SetImageResource(kImageResource);
}

void CDemoSkinDialog::CreateLabels(int y)
{
    const DemoElements& elements = ElementsOfProgram();
    CSkinElement picture = Element(elements.pictureLabel);
    CSkinElement text = Element(elements.textLabel);
    int w = picture.position.Width(), h = picture.position.Height();
    m_labels[0].Create("", WS_CHILD | WS_VISIBLE | SS_CENTER, CRect(10, y, 10 + w, y + h), this, 8888);
    // The converter's labels have no pictures and take their texts from the program.
    CString title = picture.title == "NULL" ? CString("Output folder") : picture.title;
    m_labels[0].SetSkin(picture.bgimage, title, picture.fntname, picture.fntsize, picture.fntcolor);
    int x = 20 + w;
    w = text.position.Width();
    h = text.position.Height();
    m_labels[1].Create("", WS_CHILD | WS_VISIBLE | SS_CENTER, CRect(x, y, x + w, y + h), this, 8888);
    m_labels[1].m_bFill = 1;
    m_labels[1].m_bBorder = 1;
    m_labels[1].SetTextFont("0:12.5", text.fntname, text.fntsize, text.fntcolor);
    x += w + 10;
    m_labels[2].Create("", WS_CHILD | WS_VISIBLE | SS_CENTER, CRect(x, y, x + 60, y + h), this, 8888);
    m_labels[2].m_bFill = 1;
    m_labels[2].SetTempo(120);
}

void CDemoSkinDialog::CreateTracks(int y)
{
    // The converter shows the strip at its picture's own width.
    CSkinElement strip = Element(18);
    int width = IsConverterDeliverable() ? strip.position.Width() : 420;
    m_rangeBar.Create(SkinTrackTemplateId(), this);
    m_rangeBar.MoveWindow(10, y, width, strip.position.Height());
    m_rangeBar.Setup(this, WM_SKINCOMMAND, 10000, &m_bFadeIn, &m_bFadeOut, &m_bFixedLength, &m_nFadePercent,
                     &m_dFixedLength, width);
    m_rangeBar.m_dPos = 35;
    m_rangeBar.m_dStart = 20;
    m_rangeBar.m_dEnd = 70;
    m_rangeBar.ShowWindow(SW_SHOW);
    CSkinElement e = Element(ElementsOfProgram().slider);
    y += strip.position.Height() + 10;
    m_slider.Create(SkinTrackTemplateId(), this);
    m_slider.MoveWindow(10, y, e.position.Width(), e.position.Height());
    m_nSliderValue = IsConverterDeliverable() ? 60 : 120;
    m_slider.Setup(0, FALSE, 0, 0, &m_nSliderValue, 10, 250, e.tip, e.bgimage, e.fntname, e.fntcolorNumbers, this,
                   WM_SKINCOMMAND, 900);
    m_slider.ShowWindow(SW_SHOW);
}

void CDemoSkinDialog::CreateCombos(int y)
{
    const char* instruments[] = {"Acoustic Grand Piano",
                                 "Bright Acoustic Piano",
                                 "Electric Grand Piano",
                                 "Honky-tonk Piano",
                                 "Celesta",
                                 "Glockenspiel",
                                 "Music Box",
                                 "Vibraphone"};
    // Enabled with a choice, disabled, and one whose list the picture shows open.
    // Set up as the composer's track panel makes its instrument boxes.
    for (int i = 0, x = 10; i < 3; ++i, x += 190) {
        m_combos[i].SetColorsAndFont(RGB(255, 255, 255), RGB(0, 0, 0), 14);
        m_combos[i].SetPlainLook(FALSE);
        m_combos[i].Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(x, y, x + 130, y + 20), this, 700 + i);
        m_combos[i].SetMaxVisibleItems(16);
        for (const char* instrument : instruments)
            m_combos[i].AddString(instrument);
        m_combos[i].SetCurSel(i);
    }
    m_combos[1].EnableWindow(FALSE);
}

CWnd* CDemoSkinDialog::OpenComboDropDown()
{
    m_combos[2].SendMessage(WM_ACB_TOGGLEDROPDOWN);
    return m_combos[2].GetDropWnd();
}

void CDemoSkinDialog::CreateToolControls(int y)
{
    m_tipButton.Create("", WS_CHILD | WS_VISIBLE | BS_BITMAP, CRect(160, y, 192, y + 32), this, 800);
    m_tipButton.Setup(1, kTipBitmap);
    m_tipScrollBar.Create(WS_CHILD | WS_VISIBLE | SBS_HORZ, CRect(210, y + 8, 410, y + 24), this, 801);
    m_tipScrollBar.SetScrollRange(0, 100);
    m_tipScrollBar.SetScrollPos(40);
    m_tipScrollBar.Setup(2);
    m_scoreFontLabel.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(10, y + 80, 90, y + 160), this, 802);
    m_scoreFontLabel.SetZoom(5);
}
