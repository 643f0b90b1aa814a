// Matching of file names against Windows wildcard patterns.
#pragma once

// '*' matches any run of characters, '?' any one character, other characters ignore ASCII case;
// "*.*" matches every name, a pattern ending in ".*" also matches the name without the dot.
bool MatchWildcard(const char* pattern, const char* name);
