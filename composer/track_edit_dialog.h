// CTrackEditDialog: the modeless track editor (template 158) over the score view's per-track arrays; it
// writes the user's values back into them and notifies the view.
#pragma once

#include "composer/track_list_ctrl.h"
#include "ui/dialog.h"

class CTrackEditDialog : public CDialog {
public:
    enum { IDD = 158 };
    static constexpr int kListId = 1057;
    static constexpr int kTracks = 30;

    CTrackEditDialog();
    ~CTrackEditDialog() override;

    // The view's notification target and its arrays of kTracks entries; the dialog writes through them.
    void SetTracks(CWnd* notify, UINT message, WPARAM code, CString* names, int* show, int* priorities, int* volumes,
                   int* channels);
    // Rebuilds every row's texts from the arrays.
    void FillRows();
    // Reads every row back into the arrays (an empty cell reads as 0, a channel as -1).
    void ReadRows();

    CTrackListCtrl m_list;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

private:
    // A shown track's priority that another shown track has too.
    bool HasSharedPriority();

    CWnd* m_pNotify = nullptr;
    UINT m_nMessage = 0;
    WPARAM m_nCode = 0;
    CString* m_pNames = nullptr;
    CString m_strShow[kTracks];
    CString m_strPriority[kTracks];
    CString m_strVolume[kTracks];
    CString m_strChannel[kTracks];
    int* m_pShow = nullptr;
    int* m_pPriorities = nullptr;
    int* m_pVolumes = nullptr;
    int* m_pChannels = nullptr;
};
