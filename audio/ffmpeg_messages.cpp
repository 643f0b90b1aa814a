// ffmpeg's own message lines: the error texts that fail a run and the line that tells the user why.
#include <string>

#include "audio/ffmpeg_process.h"

namespace {

// ffmpeg's texts of a failed run: the classic four first, then those of today's ffmpeg.
const char* const kErrorTexts[] = {
    "Unsupported codec",
    "Unknown format",
    "I/O error occured",
    "No audio or video streams available",
    "Unknown encoder",
    "No such file or directory",
    "Invalid data found when processing input",
    "Permission denied",
    "Error while opening encoder",
    "Conversion failed!",
    "Invalid argument",
    "No space left on device",
    "Read-only file system",
    "Output file is empty, nothing was encoded",
};

// Echoes of the input and output, which carry names or tags chosen by the user, not ffmpeg's messages:
// the header lines that name the files and the indented lines below them (streams, metadata).
bool IsEcho(const std::string& line)
{
    return line.empty() || line[0] == ' ' || line[0] == '\t' || line.rfind("Input #", 0) == 0 ||
           line.rfind("Output #", 0) == 0;
}

void Blank(std::string& line, const std::string& name)
{
    if (name.empty())
        return;
    for (size_t at = line.find(name); at != std::string::npos; at = line.find(name, at))
        line.erase(at, name.size());
}

}  // namespace

void CFfmpegProcess::SetEchoedNames(const std::string& input, const std::string& output)
{
    m_echoedInput = input;
    m_echoedOutput = output;
    m_pendingLine.clear();
    m_strLastMessage.Empty();
    m_strError.Empty();
}

void CFfmpegProcess::ParseMessages(const CString& strChunk)
{
    m_pendingLine.append(static_cast<const char*>(strChunk), strChunk.GetLength());
    size_t start = 0;
    for (size_t end = m_pendingLine.find_first_of("\r\n"); end != std::string::npos;
         end = m_pendingLine.find_first_of("\r\n", start)) {
        ParseMessageLine(m_pendingLine.substr(start, end - start));
        start = end + 1;
    }
    m_pendingLine.erase(0, start);
}

void CFfmpegProcess::FinishMessages()
{
    ParseMessageLine(m_pendingLine);
    m_pendingLine.clear();
}

void CFfmpegProcess::ParseMessageLine(const std::string& line)
{
    if (IsEcho(line))
        return;
    // A damaged input frame is skipped by ffmpeg and the conversion goes on: no failure of the run.
    if (line.rfind("Error while decoding stream", 0) == 0)
        return;
    std::string own = line;
    Blank(own, m_echoedInput);
    Blank(own, m_echoedOutput);
    m_strLastMessage = CString(line);
    for (const char* error : kErrorTexts) {
        if (own.find(error) == std::string::npos)
            continue;
        m_bSuccess = 0;
        // The first error line names the cause; "Conversion failed!" only sums it up.
        if (m_strError.IsEmpty())
            m_strError = CString(line);
        return;
    }
}
