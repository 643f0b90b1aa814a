// Status word, report mode, raise-error and the default report handler.
#include "imp/imperror.h"

#include <cstdlib>

static ImpErrorContext g_errorContext = {0, 0, impDefaultReport};

ImpErrorContext* impErrorContextPtr() { return &g_errorContext; }

int32_t impGetStatus() { return impErrorContextPtr()->status; }
void impSetStatus(int32_t status) { impErrorContextPtr()->status = status; }
int32_t impGetReportMode() { return impErrorContextPtr()->mode; }
void impSetReportMode(int32_t mode) { impErrorContextPtr()->mode = mode; }

int32_t impRaiseError(int32_t status, const char* funcName, const char* context, const char* file, int32_t line)
{
    ImpErrorContext* ctx = impErrorContextPtr();
    if (status == IMP_StsBackTrace || status == IMP_StsAutoTrace)
        return ctx->handler(status, funcName, context, file, line);
    ctx->status = status;
    if (status == 0)
        return 0;
    return ctx->handler(status, funcName, context, file, line);
}

int32_t impDefaultReport(int32_t status, const char*, const char*, const char*, int32_t)
{
    if (impGetReportMode() == 0)
        exit(1);
    return status;
}

// Codes -9..-21, -24, -25 share their text with the mask variant minus its "Mask. " prefix.
static const char* maskText(int32_t code)
{
    switch (code) {
    case -110: return "Mask. Incorrect image size";
    case -111: return "Mask. Incorrect offset of ROI of the image";
    case -112:
        return "Mask. One from two pointers should be null, and other should be not null, imageData or tileInfo ";
    case -113: return "Mask. Incorrect widthStep of the image";
    case -114: return "Mask. Incorrect Color model or channel sequence of the image";
    case -115: return "Mask. Incorrect number of channels in the image";
    case -117: return "Mask. Incorrect depth value in the image header";
    case -118: return "Mask. Incorrect alpha channel number in the image header";
    case -119: return "Mask. Incorrect data order value in the image header";
    case -120: return "Mask. Incorrect data origin value in the image header";
    case -121: return "Mask. Incorrect data alignment value in the image header";
    case -124: return "Mask. Incorrect COI of the image";
    case -125: return "Mask. Incorrect size of ROI in the image header";
    default: return nullptr;
    }
}

const char* impStatusText(int32_t status)
{
    switch (status) {
    case 0: return "No Error";
    case -1: return "Backtrace";
    case -3: return "Internal error (bad state)";
    case -4: return "Out of memory";
    case -5: return "Bad argument";
    case -6: return "Unsupported function";
    case -7: return "Iteration convergence failed";
    case -8: return "Autotrace call";
    case -9: return "Null pointer to an image header";
    case -16: return "Number of channels for 1U depth image must be one";
    case -22: return "Null pointer to callback function";
    case -23: return "Incorrect size of the tile";
    case -26: return "Mask image is taled";
    default: break;
    }
    if ((status >= -21 && status <= -10) || status == -24 || status == -25) {
        const char* t = maskText(status - 100);
        if (t)
            return t + 6;
    }
    if (const char* t = maskText(status))
        return t;
    return "Unknown error or status code";
}
