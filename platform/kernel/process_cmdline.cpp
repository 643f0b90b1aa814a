// Command-line splitting and quoting with the rules of a Windows program's start-up code.
#include "kernel/process_api.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::vector<std::string> SplitCommandLine(const std::string& line)
{
    std::vector<std::string> args;
    size_t i = 0, n = line.size();
    while (i < n && IsBlank(line[i]))
        ++i;
    if (i >= n)
        return args;

    // The program name: quotes only group, backslashes are literal.
    std::string program;
    if (line[i] == '"') {
        ++i;
        while (i < n && line[i] != '"')
            program += line[i++];
        if (i < n)
            ++i;
    } else {
        while (i < n && !IsBlank(line[i]))
            program += line[i++];
    }
    args.push_back(program);

    for (;;) {
        while (i < n && IsBlank(line[i]))
            ++i;
        if (i >= n)
            break;
        std::string arg;
        bool quoted = false;
        while (i < n && (quoted || !IsBlank(line[i]))) {
            if (line[i] == '\\') {
                size_t slashes = 0;
                while (i < n && line[i] == '\\')
                    ++slashes, ++i;
                if (i < n && line[i] == '"') {
                    arg.append(slashes / 2, '\\');
                    if (slashes % 2) {
                        arg += '"';
                        ++i;
                    }
                } else {
                    arg.append(slashes, '\\');
                }
            } else if (line[i] == '"') {
                if (quoted && i + 1 < n && line[i + 1] == '"') {
                    arg += '"';  // "" inside quotes is one literal quote
                    i += 2;
                } else {
                    quoted = !quoted;
                    ++i;
                }
            } else {
                arg += line[i++];
            }
        }
        args.push_back(arg);
    }
    return args;
}

std::string QuoteCommandLineArgument(const std::string& arg)
{
    std::string out = "\"";
    size_t slashes = 0;
    for (char c : arg) {
        if (c == '\\') {
            ++slashes;
            continue;
        }
        if (c == '"') {
            out.append(slashes * 2 + 1, '\\');
        } else {
            out.append(slashes, '\\');
        }
        slashes = 0;
        out += c;
    }
    out.append(slashes * 2, '\\');
    out += '"';
    return out;
}
