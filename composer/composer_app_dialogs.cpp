// The composer's own dialogs behind the score view's dialog seam: track editor, text entry, choice and text input.
#include <memory>

#include "composer/choice_dialog.h"
#include "composer/composer_app.h"
#include "composer/input_text_dialog.h"
#include "composer/text_entry_dialog.h"
#include "composer/track_edit_dialog.h"
#include "scoreview/score_view_dialogs.h"

namespace {

class TrackEditSeam : public ITrackEditDialog {
public:
    BOOL Create(CWnd* parent) override { return dialog.Create(CTrackEditDialog::IDD, parent); }
    CWnd* Window() override { return &dialog; }
    void SetTracks(CWnd* notifyWindow, UINT message, UINT code, CString* names, int* shown, int* numbers, int* volumes,
                   int* channels) override
    {
        dialog.SetTracks(notifyWindow, message, code, names, shown, numbers, volumes, channels);
    }
    void FillRows() override { dialog.FillRows(); }
    void ReadRows() override { dialog.ReadRows(); }

private:
    CTrackEditDialog dialog;
};

class TextEntrySeam : public ITextEntryDialog {
public:
    BOOL Create(CWnd* parent) override { return dialog.Create(CTextEntryDialog::IDD, parent); }
    CWnd* Window() override { return &dialog; }
    void SetNotify(CWnd* window, UINT message, UINT code) override { dialog.SetNotify(window, message, code); }
    void SetText(const CString& text) override { dialog.SetText(text); }
    CString GetText() override { return dialog.m_strText; }

private:
    CTextEntryDialog dialog;
};

}  // namespace

void InstallScoreViewDialogs()
{
    ScoreViewDialogFactory factory;
    factory.makeTrackEdit = [] { return std::make_unique<TrackEditSeam>(); };
    factory.makeTextEntry = [] { return std::make_unique<TextEntrySeam>(); };
    factory.runChoice = [](CWnd* parent, int& choice) {
        CChoiceDialog dialog(parent);
        dialog.m_nChoice = choice;
        const int result = (int)dialog.DoModal();
        choice = dialog.m_nChoice;
        return result;
    };
    factory.runInputText = [](CWnd* parent, CString& text) {
        CInputTextDialog dialog(text, parent);
        const int result = (int)dialog.DoModal();
        if (result == IDOK)
            text = dialog.m_strText;
        return result;
    };
    SetScoreViewDialogFactory(factory);
}
