// Process-wide status word, report mode and report handler of the image library.
#pragma once

#include <cstdint>

typedef int32_t (*ImpReportFn)(int32_t status, const char* funcName, const char* context, const char* file,
                               int32_t line);

struct ImpErrorContext {
    int32_t status;
    int32_t mode;
    ImpReportFn handler;
};

#define IMP_StsOk 0
#define IMP_StsBackTrace -1
#define IMP_StsError -2
#define IMP_StsInternal -3
#define IMP_StsNoMem -4
#define IMP_StsBadArg -5
#define IMP_StsAutoTrace -8

ImpErrorContext* impErrorContextPtr();
int32_t impGetStatus();
void impSetStatus(int32_t status);
int32_t impGetReportMode();
void impSetReportMode(int32_t mode);
int32_t impRaiseError(int32_t status, const char* funcName, const char* context, const char* file, int32_t line);
int32_t impDefaultReport(int32_t status, const char* funcName, const char* context, const char* file, int32_t line);
const char* impStatusText(int32_t status);
