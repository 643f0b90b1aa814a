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

// The values an argument stands for in `text`: a literal; a named constant ("kHelpElement") or a table entry
// ("infoElements[i]") defined in the same file; or both branches of a choice ("converter ? 39 : 0").
std::vector<std::string> ArgumentValues(const std::string& text, const std::string& argument)
{
    static const std::regex literal(R"re(^(\d+|"([^"]*)")$)re");
    static const std::regex constant(R"(^k\w+$)");
    static const std::regex entry(R"(^(\w+)\s*\[[^\]]*\]$)");
    static const std::regex choice(R"(^[^?]+\?\s*([^:]+?)\s*:\s*(.+)$)");
    static const std::regex value(R"re(\b\d+\b|"([^"]*)")re");
    const std::string a = Trim(argument);
    std::smatch m;
    if (std::regex_match(a, m, literal))
        return {m[2].matched ? m[2].str() : m[1].str()};
    if (std::regex_match(a, m, choice)) {
        std::vector<std::string> both = ArgumentValues(text, m[1]);
        for (const std::string& v : ArgumentValues(text, m[2]))
            both.push_back(v);
        return both;
    }
    std::smatch d;
    if (std::regex_match(a, constant) &&
        std::regex_search(text, d, std::regex("constexpr\\s+\\w+\\s+" + a + R"(\s*=\s*(\d+)\s*;)")))
        return {d[1].str()};
    std::vector<std::string> values;
    if (std::regex_match(a, m, entry) &&
        std::regex_search(text, d, std::regex("\\b" + m[1].str() + R"(\s*\[\s*\w*\s*\]\s*=\s*\{([^;]*)\}\s*;)"))) {
        const std::string body = d[1];
        for (std::sregex_iterator v(body.begin(), body.end(), value), end; v != end; ++v)
            values.push_back((*v)[1].matched ? (*v)[1].str() : (*v)[0].str());
    }
    return values;
}

// The end of the block whose opening brace is at `open` (one past its closing brace).
size_t BlockEnd(const std::string& text, size_t open)
{
    int depth = 0;
    for (size_t i = open; i < text.size(); i++) {
        depth += (text[i] == '{') - (text[i] == '}');
        if (depth == 0)
            return i + 1;
    }
    return text.size();
}

// The folder a call counts for: the converter's inside "if (IsConverterDeliverable()) { ... }" or in a function
// named for the converter ("PlaceConverterCaptionButtons" in the shared toolkit), the composer's in the else
// block of that test, else the folder of its file.
std::string CallFolder(const std::string& folder, const std::string& text, size_t at)
{
    static const std::regex test(R"(if\s*\(\s*IsConverterDeliverable\(\)\s*\)\s*\{)");
    static const std::regex otherwise(R"(^\s*else\s*\{)");
    const std::string before = text.substr(0, at);
    for (std::sregex_iterator t(before.begin(), before.end(), test), end; t != end; ++t) {
        const size_t open = static_cast<size_t>(t->position(0) + t->length(0) - 1);
        const size_t close = BlockEnd(text, open);
        if (at < close)
            return "converter";
        std::smatch e;
        const std::string rest = text.substr(close);
        if (std::regex_search(rest, e, otherwise) && at < BlockEnd(text, close + e.length(0) - 1))
            return "composer";
    }
    static const std::regex definition(R"(\b(\w+)::(\w+)\s*\([^;{}()]*\)\s*(?:const\s*)?\{)");
    std::string function;
    for (std::sregex_iterator d(before.begin(), before.end(), definition), end; d != end; ++d)
        function = (*d)[2];
    return function.find("Converter") != std::string::npos ? "converter" : folder;
}

}  // namespace

std::multimap<std::string, std::string> DirectArguments(const std::string& callee)
{
    std::multimap<std::string, std::string> found;
    const std::regex call("\\b" + callee + R"(\s*\()");
    for (const auto& [folder, text] : SourceTexts())
        for (std::sregex_iterator it(text.begin(), text.end(), call), end; it != end; ++it) {
            const size_t open = static_cast<size_t>(it->position(0) + it->length(0) - 1);
            const std::vector<std::string> arguments = Arguments(text, open);
            if (arguments.empty())
                continue;
            for (const std::string& v : ArgumentValues(text, arguments[0]))
                found.emplace(CallFolder(folder, text, open), v);
        }
    return found;
}

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
    for (const auto& [wrapper, place] : wrappers) {
        const auto& [home, index] = place;
        const std::regex use("\\b" + wrapper + R"(\s*\()");
        for (const auto& [folder, text] : sources)
            for (std::sregex_iterator it(text.begin(), text.end(), use), end; it != end; ++it) {
                const std::vector<std::string> arguments =
                    Arguments(text, static_cast<size_t>(it->position(0) + it->length(0) - 1));
                if (folder != home || index >= arguments.size())
                    continue;
                const size_t at = static_cast<size_t>(it->position(0));
                for (const std::string& v : ArgumentValues(text, arguments[index]))
                    found.emplace(CallFolder(folder, text, at), v);
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
