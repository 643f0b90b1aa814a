// Wildcard matching with backtracking on the last '*'.
#include "kernel/wildcard.h"

#include <string>

namespace {

char Fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

bool Match(const char* p, const char* n)
{
    const char* starP = nullptr;
    const char* starN = nullptr;
    while (*n) {
        if (*p == '*') {
            starP = ++p;
            starN = n;
        } else if (*p == '?' || (*p && Fold(*p) == Fold(*n))) {
            ++p;
            ++n;
        } else if (starP) {
            p = starP;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (*p == '*')
        ++p;
    return *p == '\0';
}

}  // namespace

bool MatchWildcard(const char* pattern, const char* name)
{
    if (Match(pattern, name))
        return true;
    std::string p(pattern);
    if (p.size() >= 2 && p.compare(p.size() - 2, 2, ".*") == 0)
        return Match(p.substr(0, p.size() - 2).c_str(), name);
    return false;
}
