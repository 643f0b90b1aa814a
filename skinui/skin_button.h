// CSkinButton: the owner-drawn push button painted from a four-frame picture strip of the skin.
#pragma once

#include "ui/ui.h"

class CRasterImage;

class CSkinButton : public CButton {
public:
    enum { STATE_NORMAL = 0, STATE_HOVER = 1, STATE_PRESSED = 2 };

    CSkinButton();
    ~CSkinButton() override;

    BOOL Create(LPCTSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id) override;
    void SetSkin(int nImageSource, int nWidth, int nHeight, CString strImagePath, UINT nResourceId, UINT nToolId,
                 BOOL bNoRedrawOnRelease, CWnd* pNotifyWnd, UINT nMsg, WPARAM nCommandId, int* pGroupVar,
                 int nGroupValue, int* pGroupVar2, int nGroupValue2, int* pSelectVar, int nSelectValue, CString strTip,
                 CString strText, CString strFontName, int nFontSize, COLORREF crText);
    void SetResourceSkin(int nWidth, int nHeight, UINT nResourceId, UINT nToolId, BOOL bNoRedrawOnRelease,
                         CWnd* pNotifyWnd, UINT nMsg, WPARAM nCommandId, int* pGroupVar, int nGroupValue,
                         int* pGroupVar2, int nGroupValue2, int* pSelectVar, int nSelectValue, CString strTip,
                         CString strText);
    // The shorter set-ups of a DIB-resource strip with one or two bound variables.
    void SetResourceSkin(int nWidth, int nHeight, UINT nResourceId, UINT nToolId, BOOL bNoRedrawOnRelease,
                         CWnd* pNotifyWnd, UINT nMsg, WPARAM nCommandId, int* pGroupVar, int nGroupValue);
    void SetResourceSkin(int nWidth, int nHeight, UINT nResourceId, UINT nToolId, BOOL bNoRedrawOnRelease,
                         CWnd* pNotifyWnd, UINT nMsg, WPARAM nCommandId, int* pGroupVar, int nGroupValue,
                         int* pGroupVar2, int nGroupValue2);
    void SetNotifyOnPress(BOOL bNotifyOnPress) { m_bNotifyOnPress = bNotifyOnPress; }

    void Redraw();
    void DrawButton(CDC* pDC);
    // The strip frame that a paint in the current state shows: 0 normal, 1 hover, 2 pressed or checked, 3 selected.
    int ChooseFrame() const;
    int GetMouseState() const { return m_nState; }
    const CString& GetTip() const { return m_strTip; }

    void DrawItem(LPDRAWITEMSTRUCT dis) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* msg) override;

    int m_bTextBesideImage = 0;

protected:
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
    afx_msg void OnKeyUp(UINT key, UINT repeat, UINT flags);
    DECLARE_MESSAGE_MAP()

private:
    bool CursorInside() const;
    void DrawStrip(CDC* pDC, int frame);
    void DrawCaption(CDC* pDC);
    void GreyFrame(CRasterImage& image, int frame) const;
    void CreateTip();

    int m_nImageSource = 0;
    UINT m_nToolId = 0;
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_bNoRedrawOnRelease = 0;
    CWnd* m_pNotifyWnd = nullptr;
    UINT m_nNotifyMsg = 0;
    WPARAM m_nCommandId = 0;
    int m_nBindMode = 0;
    int* m_pGroupVar = nullptr;
    int* m_pGroupVar2 = nullptr;
    int m_nGroupValue = 0;
    int m_nGroupValue2 = 0;
    int* m_pSelectVar = nullptr;
    int m_nSelectValue = 1;
    CString m_strTip;
    CString m_strText;
    CString m_strImagePath;
    UINT m_nResourceId = 0;
    int m_nState = STATE_NORMAL;
    int m_bNotifyOnPress = 0;
    int m_bHover = 0;
    CString m_strFontName = "Arial";
    int m_bBold = 0;
    int m_nFontSize;
    COLORREF m_crText = 0;
    int m_bTipPending = 1;
    CToolTipCtrl m_toolTip;
    int m_bTipCreated = 0;
};
