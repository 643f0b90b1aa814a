// Small text helpers shared by the dialogs and file handling.
#include "services/text_helpers.h"

#include <cstring>
#include <strings.h>

#include "kernel/string_resources.h"

BOOL IsBlankText(const char* text)
{
    for (; *text; text++)
        if (*text != ' ')
            return FALSE;
    return TRUE;
}

void AppendBackslash(CString& text)
{
    if (text.IsEmpty() || text[text.GetLength() - 1] != '\\')
        text += '\\';
}

int TextLength(const char* text) { return text ? static_cast<int>(std::strlen(text)) : 0; }

BOOL LacksExtension(const char* name)
{
    int length = TextLength(name);
    int first = length > 5 ? length - 5 : 0;
    for (int i = first; i < length; i++)
        if (name[i] == '.')
            return FALSE;
    return TRUE;
}

int CountChar(const CString& text, char ch)
{
    int count = 0;
    for (int i = 0; i < text.GetLength(); i++)
        if (text[i] == ch)
            count++;
    return count;
}

void SplitText(const CString& text, char separator, CString* pieces, int count)
{
    int start = 0;
    bool exhausted = false;
    for (int i = 0; i < count; i++) {
        if (exhausted) {
            pieces[i].Empty();
            continue;
        }
        int end = i < count - 1 ? text.Find(separator, start) : -1;
        if (end < 0) {
            pieces[i] = text.Mid(start);
            exhausted = true;
        } else {
            pieces[i] = text.Mid(start, end - start);
            start = end + 1;
        }
    }
}

BOOL IsSupportedImageExtension(const char* name)
{
    static const char* const kTypes[] = {"bmp", "jpg", "tif", "gif", "cmp", "psd",
                                         "FPX", "DXF", "TGA", "WMF", "AVI", "JBIG"};
    int length = TextLength(name);
    if (length < 3)
        return FALSE;
    for (const char* type : kTypes)
        if (strncasecmp(name + length - 3, type, 3) == 0)
            return TRUE;
    return FALSE;
}

void LoadTextResource(UINT id, char* buffer, int size)
{
    if (size > 0)
        LoadString(nullptr, id, buffer, size);
}
