// Legacy numbered-text lookup.
#include "services/numbered_text.h"

#include <cstdlib>
#include <string>

#include "kernel/path_map.h"
#include "kernel/whole_file.h"
#include "services/app_folder.h"

CString g_strLegacyLanguage = "English";

static const int kMaxLineLength = 1023;

CString GetTextLine(int k, const char* buffer, int length)
{
    int lineStart = 0;
    int line = 1;
    for (int i = 0; i + 1 < length; i++) {
        if (buffer[i] != '\r' || buffer[i + 1] != '\n')
            continue;
        if (line == k) {
            int count = i - lineStart;
            return CString(buffer + lineStart, count < kMaxLineLength ? count : kMaxLineLength);
        }
        line++;
        lineStart = i + 2;
        i++;
    }
    return CString();
}

CString GetNumberedTextFromFile(const char* path, int n)
{
    std::string content;
    if (!ReadWholeFile(MapPath(path), content))
        return CString();

    for (int k = 1;; k++) {
        CString line = GetTextLine(k, content.data(), static_cast<int>(content.size()));
        if (line.IsEmpty())
            return CString();
        int blank = line.Find(' ');
        CString number = blank >= 0 ? line.Left(blank) : line;
        if (std::atoi(number) == n)
            return blank >= 0 ? line.Mid(blank + 1) : CString();
    }
}

CString GetNumberedText(int n)
{
    return GetNumberedTextFromFile(GetAppFolder() + "lan\\" + g_strLegacyLanguage + ".txt", n);
}
