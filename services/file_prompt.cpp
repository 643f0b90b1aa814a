// The file-name prompt of the appearance dialog, through the prompt service.
#include "services/file_prompt.h"

#include "kernel/prompt_service.h"

CString PromptForFileName(BOOL open, const char* extension, const char* description)
{
    FilePromptRequest request;
    request.open = open != FALSE;
    CString filter;
    filter.Format("%s Files (*.%s)|*.%s||", description, extension, extension);
    request.filter = filter.str();
    // The dialog appends the default extension itself, so it is passed without "*.".
    request.defaultExtension = extension;
    request.flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    std::optional<std::string> chosen = PromptForFile(request);
    return chosen ? CString(*chosen) : CString();
}

CString PromptForFileName(const char* description, const char* extension)
{
    return PromptForFileName(TRUE, extension, description);
}
