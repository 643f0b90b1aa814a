// CConverterDlg::ShowAbout: the about box with the text of the about button's skin element.
#include "converter/converter_dlg.h"

void CConverterDlg::ShowAbout()
{
    LoadSkinElement(42, &m_skinElement);
    MessageBox(m_skinElement.tip, g_productTitle, MB_OK);
}
