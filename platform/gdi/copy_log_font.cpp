// Font descriptor copy.
#include "gdi/copy_log_font.h"

#include <cstring>

char* CopyLogFont(LOGFONTA* destination, const LOGFONTA* source)
{
    destination->lfHeight = source->lfHeight;
    destination->lfWidth = source->lfWidth;
    destination->lfEscapement = source->lfEscapement;
    destination->lfOrientation = source->lfOrientation;
    destination->lfWeight = source->lfWeight;
    destination->lfItalic = source->lfItalic;
    destination->lfUnderline = source->lfUnderline;
    destination->lfStrikeOut = source->lfStrikeOut;
    destination->lfCharSet = source->lfCharSet;
    destination->lfOutPrecision = source->lfOutPrecision;
    destination->lfClipPrecision = source->lfClipPrecision;
    destination->lfQuality = source->lfQuality;
    destination->lfPitchAndFamily = source->lfPitchAndFamily;
    // The source name may fill the field without a terminator: copy what fits and end it.
    size_t length = strnlen(source->lfFaceName, LF_FACESIZE - 1);
    memmove(destination->lfFaceName, source->lfFaceName, length);
    memset(destination->lfFaceName + length, 0, LF_FACESIZE - length);
    return destination->lfFaceName;
}
