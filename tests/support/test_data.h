// Where the real files written by other programs are ($KESTRIN_TESTDATA, else the folder found when
// configuring), and the checkout the tests were built from (committed fixtures and golden pictures).
#pragma once

#include <string>

// The path of a file of the test data, e.g. TestDataPath("midi/beat.mid").
std::string TestDataPath(const std::string& relative);
// The path of a file of the checkout, e.g. SourcePath("tests/skinui/golden/button.bmp").
std::string SourcePath(const std::string& relative);
