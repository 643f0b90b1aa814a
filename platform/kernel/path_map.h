// Windows-style paths of the program mapped to the Linux file system, in one place for every file call.
//
// Program code keeps paths in Windows form: '\' separators, folders ending in '\'. Absolute paths
// handed to program code (program folder, documents folder, temp folder, module file name) are the
// Linux paths with every '/' turned into '\', e.g. "\work\main\build\bin\". A '\' that is part of a
// Linux name, and the ':' of a name starting like a drive ("C:x"), are kept as private-use
// characters in the Windows form, so that such names are taken literally and never split or dropped.
//
// MapPath turns a Windows-style path back into a Linux path: '\' becomes '/', a leading drive ("C:")
// is dropped so the path is taken from the file-system root. A path that exists as written is used as
// written. For reading only, when it does not, a component missing under its exact name is looked up
// ignoring ASCII case (the program's data files written on Windows often differ in case from the names
// the program asks for). Paths written, created, renamed or removed are always taken literally
// (MapPathLiteral), so a new "Song.mid" never lands on an existing "song.mid".
#pragma once

#include <string>

// Linux path of a file to read (absolute or relative to the current directory), with the case fallback.
std::string MapPath(const char* windowsPath);
inline std::string MapPath(const std::string& windowsPath) { return MapPath(windowsPath.c_str()); }

// Linux path of a file to write, create, rename or remove: exactly the name given.
std::string MapPathLiteral(const char* windowsPath);
inline std::string MapPathLiteral(const std::string& windowsPath) { return MapPathLiteral(windowsPath.c_str()); }

// Windows-style form of a Linux path: every '/' becomes '\'.
std::string ToWindowsPath(const std::string& linuxPath);

// A path as the user sees it, on screen and in the log: the Linux form, '/' separators, no case lookup.
std::string DisplayPath(const char* windowsPath);
inline std::string DisplayPath(const std::string& windowsPath) { return DisplayPath(windowsPath.c_str()); }
// A text holding paths (a log line) with every path in it as the user sees it: each '\' a '/'.
std::string DisplayPathsInText(const char* text);
