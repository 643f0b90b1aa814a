// The test data folder.
#include "tests/support/test_data.h"

#include <cstdlib>

std::string TestDataPath(const std::string& relative)
{
    const char* root = std::getenv("KESTRIN_TESTDATA");
    return std::string(root && *root ? root : KESTRIN_TESTDATA_DIR) + "/" + relative;
}
