// The composer dialogs the score view creates, seen through a seam: the composer installs the real ones,
// tests install stand-ins.
#pragma once

#include <functional>
#include <memory>

#include "kernel/cstring.h"
#include "ui/ui.h"

constexpr int kTrackEditNotifyCode = 158;
constexpr int kTextEntryNotifyCode = 1051;

// The modeless track edit dialog with its 30-row track list.
class ITrackEditDialog {
public:
    virtual ~ITrackEditDialog() = default;
    virtual BOOL Create(CWnd* parent) = 0;
    virtual CWnd* Window() = 0;
    virtual void SetTracks(CWnd* notifyWindow, UINT message, UINT code, CString* names, int* shown, int* numbers,
                           int* volumes, int* channels) = 0;
    virtual void FillRows() = 0;
    virtual void ReadRows() = 0;
};

// The modeless text entry dialog with its one edit control.
class ITextEntryDialog {
public:
    virtual ~ITextEntryDialog() = default;
    virtual BOOL Create(CWnd* parent) = 0;
    virtual CWnd* Window() = 0;
    virtual void SetNotify(CWnd* window, UINT message, UINT code) = 0;
    virtual void SetText(const CString& text) = 0;
    virtual CString GetText() = 0;
};

// Makers of the dialogs; the modal ones run at once and answer IDOK or IDCANCEL with their result.
struct ScoreViewDialogFactory {
    std::function<std::unique_ptr<ITrackEditDialog>()> makeTrackEdit;
    std::function<std::unique_ptr<ITextEntryDialog>()> makeTextEntry;
    std::function<int(CWnd* parent, int& choice)> runChoice;
    std::function<int(CWnd* parent, CString& text)> runInputText;
};

// The factory every score view uses from its construction on; empty makers make no dialog.
void SetScoreViewDialogFactory(const ScoreViewDialogFactory& factory);
const ScoreViewDialogFactory& GetScoreViewDialogFactory();
