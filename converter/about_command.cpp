// CConverterDlg::ShowAbout: the about box, titled with the about button's tip.
#include "converter/converter_dlg.h"
#include "skinui/about_dialog.h"

void CConverterDlg::ShowAbout()
{
    LoadSkinElement(42, &m_skinElement);
    CAboutDialog about(m_skinElement.tip, nullptr);
    about.DoModal();
}
