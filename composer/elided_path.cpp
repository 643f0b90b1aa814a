// Eliding the middle of a path until it fits a width.
#include "composer/elided_path.h"

#include <string>

namespace {

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The byte where the character before `at` starts.
size_t PreviousCharacter(const std::string& s, size_t at)
{
    size_t i = at - 1;
    while (i > 0 && IsContinuation(s[i]))
        --i;
    return i;
}

// The byte after the character that starts at `at`.
size_t NextCharacter(const std::string& s, size_t at)
{
    size_t i = at + 1;
    while (i < s.size() && IsContinuation(s[i]))
        ++i;
    return i;
}

}  // namespace

CString ElidePathMiddle(const CString& path, const std::function<bool(const CString&)>& fits)
{
    if (fits(path))
        return path;
    const std::string s(path.GetString());
    const size_t slash = s.find_last_of("\\/");
    const size_t nameStart = slash == std::string::npos ? 0 : slash;
    // The kept start is s[0, head) and the kept end s[tail, size); the gap between them grows from the middle
    // of the folder part, one character a side in turn, and never into the file name.
    size_t head = nameStart / 2;
    while (head > 0 && IsContinuation(s[head]))
        --head;
    size_t tail = head;
    bool fromHead = true;
    while (true) {
        const CString candidate((s.substr(0, head) + "..." + s.substr(tail)).c_str());
        if (fits(candidate) || (head == 0 && tail >= nameStart))
            return candidate;
        if ((fromHead && head > 0) || tail >= nameStart)
            head = PreviousCharacter(s, head);
        else
            tail = NextCharacter(s, tail);
        fromHead = !fromHead;
    }
}
