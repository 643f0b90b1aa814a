// AMR output when the installed ffmpeg has no AMR encoder: ffmpeg writes raw PCM and we encode it.
#include "audio/ffmpeg_amr.h"

#include <unistd.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "audio/ffmpeg_process.h"
#include "kernel/path_map.h"
#include "kernel/process_api.h"

namespace {

// Everything the program prints for the given arguments (stdout and stderr together).
std::string ProgramOutput(const CString& strProgram, const char* arguments)
{
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    SECURITY_ATTRIBUTES sa = {sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    if (!CreatePipe(&readEnd, &writeEnd, &sa, 0))
        return std::string();
    STARTUPINFO si;
    GetStartupInfo(&si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = nullptr;
    si.hStdOutput = writeEnd;
    si.hStdError = writeEnd;
    PROCESS_INFORMATION pi = {};
    std::string command = QuoteCommandLineArgument(static_cast<const char*>(strProgram)) + " " + arguments;
    BOOL started = CreateProcess(nullptr, command.data(), nullptr, nullptr, TRUE,
                                 CREATE_NO_WINDOW | CREATE_ENDS_WITH_PARENT, nullptr, nullptr, &si, &pi);
    CloseHandle(writeEnd);
    std::string output;
    if (started) {
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr))
            output.append(buffer, got);
        WaitForSingleObject(pi.hProcess, INFINITE);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
    }
    CloseHandle(readEnd);
    return output;
}

std::vector<std::string> Tokens(const CString& text)
{
    std::istringstream in(static_cast<const char*>(text));
    std::vector<std::string> tokens;
    for (std::string t; in >> t;)
        tokens.push_back(t);
    return tokens;
}

}  // namespace

bool FfmpegHasEncoder(const CString& strProgram, const char* encoder)
{
    static std::map<std::string, std::string> listings;  // program -> its encoder list
    std::string key = static_cast<const char*>(strProgram);
    auto it = listings.find(key);
    if (it == listings.end())
        it = listings.emplace(key, ProgramOutput(strProgram, "-hide_banner -encoders")).first;
    std::istringstream lines(it->second);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::string flags, name;
        if (fields >> flags >> name && name == encoder)
            return true;
    }
    return false;
}

void PlanAmrFallback(const CString& strProgram, const CString& strFolder, CString& strOptions, FfmpegAmrPlan* plan)
{
    *plan = FfmpegAmrPlan();
    std::vector<std::string> tokens = Tokens(strOptions);
    size_t codec = tokens.size();
    for (size_t i = 0; i + 1 < tokens.size(); ++i)
        if (tokens[i] == "-acodec" && (tokens[i + 1] == "amr_nb" || tokens[i + 1] == "amr_wb"))
            codec = i + 1;
    if (codec == tokens.size())
        return;
    AmrKind kind = tokens[codec] == "amr_nb" ? AMR_NARROW_BAND : AMR_WIDE_BAND;
    if (FfmpegHasEncoder(strProgram, kind == AMR_NARROW_BAND ? "libopencore_amrnb" : "libvo_amrwbenc"))
        return;

    tokens[codec] = "pcm_s16le";
    for (size_t i = 0; i + 1 < tokens.size(); ++i)
        if (tokens[i] == "-f" && tokens[i + 1] == "amr")
            tokens[i + 1] = "s16le";
    // The raw samples must have the encoder's rate and one channel, whatever the options said.
    std::string rebuilt = " ";
    for (size_t i = 0; i < tokens.size(); ++i) {
        if ((tokens[i] == "-ar" || tokens[i] == "-ac" || tokens[i] == "-aq") && i + 1 < tokens.size()) {
            ++i;
            continue;
        }
        rebuilt += tokens[i] + " ";
    }
    rebuilt += "-ac 1 -ar " + std::to_string(AmrSampleRate(kind)) + " ";
    strOptions = CString(rebuilt);

    static int counter = 0;
    plan->active = true;
    plan->kind = kind;
    plan->strRawPath.Format("%samrpcm-%d-%d.raw", static_cast<const char*>(strFolder), static_cast<int>(getpid()),
                            counter++);
}

bool FinishAmrFallback(const FfmpegAmrPlan& plan, const CString& strOutput)
{
    bool ok = EncodeAmrFile(plan.kind, MapPath(static_cast<const char*>(plan.strRawPath)),
                            MapPathLiteral(static_cast<const char*>(strOutput)));
    RemoveFile(plan.strRawPath);
    return ok;
}
