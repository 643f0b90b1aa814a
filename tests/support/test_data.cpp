// The test data folder and the checkout.
#include "tests/support/test_data.h"

#include <cstdlib>

std::string TestDataPath(const std::string& relative)
{
    const char* root = std::getenv("KESTRIN_TESTDATA");
    return std::string(root && *root ? root : KESTRIN_TESTDATA_DIR) + "/" + relative;
}

std::string SourcePath(const std::string& relative) { return std::string(KESTRIN_SOURCE_DIR) + "/" + relative; }
