// CString::LoadString over the program's string-table resources.
#include "kernel/cstring.h"
#include "kernel/string_resources.h"

BOOL CString::LoadString(UINT id) { return LoadStringResource(id, *this); }
