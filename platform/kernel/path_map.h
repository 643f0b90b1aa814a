// Windows-style paths of the program mapped to the Linux file system, in one place for every file call.
//
// Program code keeps paths in Windows form: '\' separators, folders ending in '\'. Absolute paths
// handed to program code (program folder, documents folder, temp folder, module file name) are the
// Linux paths with every '/' turned into '\', e.g. "\work\main\build\bin\". MapPath turns such a
// path back into a Linux path: '\' becomes '/', a leading drive ("C:") is dropped so the path is
// taken from the file-system root, and when a component does not exist under its exact name, an
// entry of the same name ignoring ASCII case is used instead (files written on Windows often
// differ in case from the names the program asks for). Components that do not exist at all stay
// as given, so paths of files about to be created map as expected.
#pragma once

#include <string>

// Linux path for a Windows-style path (absolute or relative to the current directory).
std::string MapPath(const char* windowsPath);
inline std::string MapPath(const std::string& windowsPath) { return MapPath(windowsPath.c_str()); }

// Windows-style form of a Linux path: every '/' becomes '\'.
std::string ToWindowsPath(const std::string& linuxPath);
