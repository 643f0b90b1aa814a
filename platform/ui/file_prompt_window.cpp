// File-name prompts as toolkit file dialogs: the filter form, default extension, multiple choice and paths.

#include <optional>

#include "kernel/path_map.h"
#include "kernel/prompt_service.h"
#include "ui/wx_windows.h"

int ShowMessageBoxWindow(HWND owner, const std::string& text, const std::string& caption, UINT type);

namespace {

// "*.mid" matches "SONG.MID" too, as file names do on the original system.
std::string CaseFreePattern(const std::string& pattern)
{
    std::string out;
    for (char c : pattern) {
        if (std::isalpha((unsigned char)c)) {
            out += '[';
            out += (char)std::tolower((unsigned char)c);
            out += (char)std::toupper((unsigned char)c);
            out += ']';
        } else {
            out += c;
        }
    }
    return out;
}

// "Desc|*.a;*.b|Other|*.c||" becomes the toolkit's "Desc|*.a;*.b|Other|*.c" with case-free patterns.
wxString WildcardOf(const std::string& filter)
{
    std::vector<std::string> parts;
    std::string cur;
    for (char c : filter) {
        if (c == '|') {
            parts.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.empty())
        parts.push_back(cur);
    while (!parts.empty() && parts.back().empty())
        parts.pop_back();
    std::string out;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty() && parts[i + 1].empty())
            break;
        if (!out.empty())
            out += '|';
        out += parts[i] + '|' + CaseFreePattern(parts[i + 1]);
    }
    return out.empty() ? wxString("*") : wxString::FromUTF8(out);
}

}  // namespace

std::optional<std::string> ShowFileDialogWindow(const FilePromptRequest& r)
{
    long style = r.open ? wxFD_OPEN : wxFD_SAVE;
    if (r.open && (r.flags & OFN_FILEMUSTEXIST))
        style |= wxFD_FILE_MUST_EXIST;
    if (r.open && (r.flags & OFN_ALLOWMULTISELECT))
        style |= wxFD_MULTIPLE;
    if (!r.open && (r.flags & OFN_OVERWRITEPROMPT))
        style |= wxFD_OVERWRITE_PROMPT;
    std::string folder = r.initialFolder.empty() ? "" : MapPath(r.initialFolder);
    std::string name = r.initialName;
    if (!name.empty() && (name.find('\\') != std::string::npos || name.find('/') != std::string::npos)) {
        std::string mapped = MapPathLiteral(name);
        size_t cut = mapped.find_last_of('/');
        if (folder.empty())
            folder = mapped.substr(0, cut);
        name = mapped.substr(cut + 1);
    }
    if (name.find('*') != std::string::npos)
        name.clear();
    wxString title = r.title.empty() ? wxString(r.open ? "Open" : "Save As") : wxString::FromUTF8(r.title);
    wxFileDialog dlg(OwnerFrameWx(r.owner), title, wxString::FromUTF8(folder), wxString::FromUTF8(name),
                     WildcardOf(r.filter), style);
    if (dlg.ShowModal() != wxID_OK)
        return std::nullopt;
    // A multiple-selection dialog answers through its list of paths, even for one file.
    wxString chosen;
    if (style & wxFD_MULTIPLE) {
        wxArrayString paths;
        dlg.GetPaths(paths);
        if (paths.empty())
            return std::nullopt;
        chosen = paths[0];
        if (paths.size() > 1) {
            // Several files: the folder, then each name, separated by zero bytes.
            std::string out = ToWindowsPath(std::string(wxFileName(paths[0]).GetPath().utf8_str()));
            for (const wxString& p : paths)
                out += std::string(1, '\0') + ToWindowsPath(std::string(wxFileName(p).GetFullName().utf8_str()));
            return out;
        }
    } else {
        chosen = dlg.GetPath();
    }
    std::string path(chosen.utf8_str());
    if (!r.defaultExtension.empty() && wxFileName(chosen).GetExt().empty()) {
        path += "." + r.defaultExtension;
        if (!r.open && (r.flags & OFN_OVERWRITEPROMPT) && wxFileExists(wxString::FromUTF8(path))) {
            std::string question = std::string(wxFileName(wxString::FromUTF8(path)).GetFullName().utf8_str()) +
                                   " already exists.\nDo you want to replace it?";
            if (ShowMessageBoxWindow(r.owner, question, std::string(title.utf8_str()), MB_YESNO | MB_ICONEXCLAMATION) !=
                IDYES)
                return std::nullopt;
        }
    }
    return ToWindowsPath(path);
}

namespace {

class WindowPrompts : public IPromptService {
public:
    int ShowMessage(HWND owner, const std::string& text, const std::string& caption, UINT style) override
    {
        return ShowMessageBoxWindow(owner, text, caption, style);
    }
    std::optional<std::string> PromptFileName(const FilePromptRequest& request) override
    {
        return ShowFileDialogWindow(request);
    }
};

}  // namespace

IPromptService& WindowPromptService()
{
    static WindowPrompts service;
    return service;
}
