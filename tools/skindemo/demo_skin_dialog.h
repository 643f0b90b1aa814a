// CDemoSkinDialog: one of every skinned control in its states, from the current program's skin.
#pragma once

#include "skinui/adv_combo_box.h"
#include "skinui/score_font_label.h"
#include "skinui/skin_button.h"
#include "skinui/skin_dialog.h"
#include "skinui/skin_image_static.h"
#include "skinui/skin_label.h"
#include "skinui/skin_range_bar.h"
#include "skinui/skin_slider.h"
#include "skinui/tip_bitmap_button.h"
#include "skinui/tip_scroll_bar.h"

class CDemoSkinDialog : public CSkinDialog {
public:
    CDemoSkinDialog();

    // The drop-down of the open combo, for a picture of the whole demo.
    CWnd* OpenComboDropDown();

protected:
    BOOL OnInitDialog() override;

private:
    void CreateButtons(int y);
    void CreateLabels(int y);
    void CreateTracks(int y);
    void CreateCombos(int y);
    void CreateToolControls(int y);

    int m_nLanguage = 0;
    int m_nSkin = 1;
    COLORREF m_crTransparent = 0;
    COLORREF m_crTransparentHigh = 0;
    CSkinButton m_buttons[3];
    int m_nGroup = 1;
    int m_nSelected = 1;
    CSkinLabel m_labels[3];
    CSkinImageStatic m_image;
    CSkinSlider m_slider;
    int m_nSliderValue = 0;
    CSkinRangeBar m_rangeBar;
    int m_bFadeIn = 1;
    int m_bFadeOut = 0;
    int m_bFixedLength = 0;
    int m_nFadePercent = 10;
    double m_dFixedLength = 0;
    CAdvComboBox m_combos[3];
    CTipBitmapButton m_tipButton;
    CTipScrollBar m_tipScrollBar;
    CScoreFontLabel m_scoreFontLabel;
};
