// The program's append-only log in the documents folder, one line per call.
#pragma once

#include "kernel/cstring.h"

// The log's folder under the documents folder: "quaverly\".
extern CString g_strLogSubFolder;

// The log file's name: "TonwickComposer.txt" (composer) or "Tonwick.txt" (converter).
const char* GetLogFileName();

// Appends one line "counter: hh:mm:ss text"; the first line of a run trims a log over 0x80000
// bytes and writes the banner. A log that cannot be opened loses the line silently.
void WriteLogLine(const char* text);

// Up to eight pieces joined without separators into one line.
void WriteLog(const CString& p1, const CString& p2 = CString(), const CString& p3 = CString(),
              const CString& p4 = CString(), const CString& p5 = CString(), const CString& p6 = CString(),
              const CString& p7 = CString(), const CString& p8 = CString());

// The line Format("%s %d", text, n).
void WriteLogValue(const char* text, int n);
inline void WriteLog(const CString& text, int n) { WriteLogValue(text, n); }

// The line Format("%d, %d, %d, %d", a, b, c, d).
void WriteLogNumbers(int a, int b, int c, int d);
