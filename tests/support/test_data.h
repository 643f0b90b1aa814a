// Where the real files written by other programs are: $KESTRIN_TESTDATA, else the folder found when configuring.
#pragma once

#include <string>

// The path of a file of the test data, e.g. TestDataPath("midi/beat.mid").
std::string TestDataPath(const std::string& relative);
