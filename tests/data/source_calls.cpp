// Finding the values that reach a function through wrappers and tables of the program sources.
#include "source_calls.h"

#include <regex>
#include <vector>

#include "program_data.h"

namespace program_data {

namespace {

// The arguments of the call whose opening parenthesis is at `open`, split at top-level commas.
std::vector<std::string> Arguments(const std::string& text, size_t open)
{
    std::vector<std::string> arguments(1);
    int depth = 0;
    for (size_t i = open + 1; i < text.size(); i++) {
        const char c = text[i];
        if ((c == ')' || c == ',') && depth == 0) {
            if (c == ')')
                return arguments;
            arguments.emplace_back();
            continue;
        }
        depth += (c == '(' || c == '{' || c == '[') - (c == ')' || c == '}' || c == ']');
        arguments.back() += c;
    }
    return {};
}

std::string Trim(const std::string& s)
{
    const size_t first = s.find_first_not_of(" \t\r\n");
    return first == std::string::npos ? "" : s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

// The parameter's name: the last word of its declaration ("int element" -> "element").
std::string ParameterName(const std::string& declaration)
{
    std::smatch m;
    const std::string plain = Trim(declaration.substr(0, declaration.find('=')));
    return std::regex_search(plain, m, std::regex(R"((\w+)\s*$)")) ? m[1].str() : "";
}

}  // namespace

std::multimap<std::string, std::string> ForwardedArguments(const std::string& callee)
{
    const auto sources = SourceTexts();
    // Wrapper name -> its folder and the index of the parameter it forwards; calls are looked for in that folder.
    std::multimap<std::string, std::pair<std::string, size_t>> wrappers;
    const std::regex call("\\b" + callee + R"(\s*\(\s*([A-Za-z_]\w*)\s*[,)])");
    const std::regex definition(R"(\b(\w+)\s*\(([^;{}()]*)\)\s*(?:const\s*)?\{)");
    for (const auto& [folder, text] : sources)
        for (std::sregex_iterator it(text.begin(), text.end(), call), end; it != end; ++it) {
            const std::string before = text.substr(0, static_cast<size_t>(it->position(0)));
            std::string name, parameters;
            for (std::sregex_iterator d(before.begin(), before.end(), definition); d != end; ++d) {
                const std::string word = (*d)[1];
                if (word == "if" || word == "for" || word == "while" || word == "switch" || word == "catch")
                    continue;
                name = word;
                parameters = (*d)[2];
            }
            const std::vector<std::string> declared = Arguments("(" + parameters + ")", 0);
            for (size_t i = 0; i < declared.size(); i++)
                if (ParameterName(declared[i]) == (*it)[1].str())
                    wrappers.emplace(name, std::make_pair(folder, i));
        }
    std::multimap<std::string, std::string> found;
    const std::regex literal(R"re(^(\d+|"([^"]*)")$)re");
    for (const auto& [wrapper, place] : wrappers) {
        const auto& [home, index] = place;
        const std::regex use("\\b" + wrapper + R"(\s*\()");
        for (const auto& [folder, text] : sources)
            for (std::sregex_iterator it(text.begin(), text.end(), use), end; it != end; ++it) {
                const std::vector<std::string> arguments =
                    Arguments(text, static_cast<size_t>(it->position(0) + it->length(0) - 1));
                if (folder != home || index >= arguments.size())
                    continue;
                const std::string argument = Trim(arguments[index]);
                std::smatch m;
                if (std::regex_match(argument, m, literal))
                    found.emplace(folder, m[2].matched ? m[2].str() : m[1].str());
            }
    }
    return found;
}

std::multimap<std::string, std::string> TableArguments(const std::string& callee)
{
    std::multimap<std::string, std::string> found;
    const std::regex call("\\b" + callee + R"(\s*\(\s*(\w+)\s*\[)");
    const std::regex text_literal(R"re("([^"]*)")re");
    for (const auto& [folder, text] : SourceTexts())
        for (std::sregex_iterator it(text.begin(), text.end(), call), end; it != end; ++it) {
            std::smatch table;
            const std::regex definition("\\b" + (*it)[1].str() + R"(\s*\[\s*\w*\s*\]\s*=\s*\{([^;]*)\}\s*;)");
            if (!std::regex_search(text, table, definition))
                continue;
            const std::string body = table[1];
            for (std::sregex_iterator s(body.begin(), body.end(), text_literal); s != end; ++s)
                found.emplace(folder, (*s)[1].str());
        }
    return found;
}

}  // namespace program_data
