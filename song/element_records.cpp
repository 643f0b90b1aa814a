// Fixed text fields of the element records.
#include "song/element_records.h"

#include <cstring>

void CopyTextField(char* field, int size, const char* text)
{
    if (size <= 0)
        return;
    size_t length = text ? strnlen(text, size - 1) : 0;
    if (length)
        memmove(field, text, length);
    memset(field + length, 0, size - length);
}
