// User prompts of model code (message boxes, file-name choices) behind a replaceable service.
//
// Without a window layer (tests, tools) the default service records every prompt and answers from
// queued replies; the window layer installs a service that shows real dialogs.
#pragma once

#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "kernel/message_box_styles.h"
#include "kernel/windef.h"

// One file-name prompt: the filter in the "Desc|*.a;*.b|...||" form, the default extension
// without its dot ("mid"), the initial file name and the OFN_ flags.
struct FilePromptRequest {
    bool open = true;
    HWND owner = nullptr;
    std::string title;
    std::string filter;
    std::string defaultExtension;
    std::string initialName;
    std::string initialFolder;
    DWORD flags = 0;
};

class IPromptService {
public:
    virtual ~IPromptService() = default;
    // Returns IDOK, IDCANCEL, IDYES, IDNO, ... for the buttons of the style.
    virtual int ShowMessage(HWND owner, const std::string& text, const std::string& caption, UINT style) = 0;
    // The chosen Windows-style path, or nothing when the user cancels.
    virtual std::optional<std::string> PromptFileName(const FilePromptRequest& request) = 0;
};

// Records prompts; answers with queued replies, else the style's first button and a cancelled file prompt.
class RecordingPromptService : public IPromptService {
public:
    struct Message {
        HWND owner;
        std::string text;
        std::string caption;
        UINT style;
    };

    int ShowMessage(HWND owner, const std::string& text, const std::string& caption, UINT style) override;
    std::optional<std::string> PromptFileName(const FilePromptRequest& request) override;

    void QueueMessageAnswer(int answer);
    void QueueFileAnswer(std::optional<std::string> path);
    std::vector<Message> Messages() const;
    std::vector<FilePromptRequest> FilePrompts() const;
    void Clear();

private:
    mutable std::mutex m_lock;
    std::vector<Message> m_messages;
    std::vector<FilePromptRequest> m_filePrompts;
    std::deque<int> m_messageAnswers;
    std::deque<std::optional<std::string>> m_fileAnswers;
};

// The service in use; null restores the recording default.
void SetPromptService(IPromptService* service);
IPromptService& GetPromptService();
RecordingPromptService& GetRecordingPromptService();

// Caption of AfxMessageBox: the application's title, set at start-up.
void SetMessageBoxTitle(const std::string& title);
std::string GetMessageBoxTitle();

// A null caption shows "Error", as the window system does.
int MessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
int AfxMessageBox(LPCSTR text, UINT type = MB_OK, UINT helpId = 0);
// The prompt text is the string resource with that id.
int AfxMessageBox(UINT promptId, UINT type = MB_OK, UINT helpId = (UINT)-1);
std::optional<std::string> PromptForFile(const FilePromptRequest& request);
