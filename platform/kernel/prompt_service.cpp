// The prompt service switch, the recording default and the message-box entry points.
#include "kernel/prompt_service.h"

#include <atomic>

#include "kernel/string_resources.h"

namespace {

std::atomic<IPromptService*> g_service{nullptr};
std::mutex g_titleLock;
std::string g_title;

int FirstButton(UINT style)
{
    switch (style & MB_TYPEMASK) {
    case MB_ABORTRETRYIGNORE: return IDABORT;
    case MB_YESNOCANCEL:
    case MB_YESNO: return IDYES;
    case MB_RETRYCANCEL: return IDRETRY;
    default: return IDOK;
    }
}

}  // namespace

int RecordingPromptService::ShowMessage(HWND owner, const std::string& text, const std::string& caption, UINT style)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_messages.push_back(Message{owner, text, caption, style});
    if (m_messageAnswers.empty())
        return FirstButton(style);
    int answer = m_messageAnswers.front();
    m_messageAnswers.pop_front();
    return answer;
}

std::optional<std::string> RecordingPromptService::PromptFileName(const FilePromptRequest& request)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_filePrompts.push_back(request);
    if (m_fileAnswers.empty())
        return std::nullopt;
    auto answer = m_fileAnswers.front();
    m_fileAnswers.pop_front();
    return answer;
}

void RecordingPromptService::QueueMessageAnswer(int answer)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_messageAnswers.push_back(answer);
}

void RecordingPromptService::QueueFileAnswer(std::optional<std::string> path)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_fileAnswers.push_back(std::move(path));
}

std::vector<RecordingPromptService::Message> RecordingPromptService::Messages() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_messages;
}

std::vector<FilePromptRequest> RecordingPromptService::FilePrompts() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_filePrompts;
}

void RecordingPromptService::Clear()
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_messages.clear();
    m_filePrompts.clear();
    m_messageAnswers.clear();
    m_fileAnswers.clear();
}

RecordingPromptService& GetRecordingPromptService()
{
    static RecordingPromptService recorder;
    return recorder;
}

void SetPromptService(IPromptService* service) { g_service = service; }

IPromptService& GetPromptService()
{
    IPromptService* service = g_service;
    return service ? *service : GetRecordingPromptService();
}

void SetMessageBoxTitle(const std::string& title)
{
    std::lock_guard<std::mutex> guard(g_titleLock);
    g_title = title;
}

std::string GetMessageBoxTitle()
{
    std::lock_guard<std::mutex> guard(g_titleLock);
    return g_title;
}

int MessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    return GetPromptService().ShowMessage(owner, text ? text : "", caption ? caption : "Error", type);
}

int AfxMessageBox(LPCSTR text, UINT type, UINT)
{
    return GetPromptService().ShowMessage(nullptr, text ? text : "", GetMessageBoxTitle(), type);
}

int AfxMessageBox(UINT promptId, UINT type, UINT)
{
    char text[4096];
    LoadString(nullptr, promptId, text, sizeof text);
    return AfxMessageBox(text, type, 0);
}

std::optional<std::string> PromptForFile(const FilePromptRequest& request)
{
    return GetPromptService().PromptFileName(request);
}
