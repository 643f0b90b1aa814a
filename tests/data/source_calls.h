// Values the program sources hand to a function indirectly: through a wrapper's parameter, or from a table.
#pragma once

#include <map>
#include <string>

namespace program_data {

// The values `callee` gets as its first argument in direct calls: literals (numbers or texts, texts without their
// quotes), named constants and table entries of the same file, and both branches of a choice.
std::multimap<std::string, std::string> DirectArguments(const std::string& callee);

// The same values passed to `callee` as its first argument through a
// function that forwards one of its own parameters there ("SkinButton(button, 6, ...)" for LoadSkinElement),
// with the folder of the call.
std::multimap<std::string, std::string> ForwardedArguments(const std::string& callee);

// Text literals of the tables that `callee`'s first argument is taken from ("GetLanguageText(columns[i])"),
// with the folder of the table.
std::multimap<std::string, std::string> TableArguments(const std::string& callee);

}  // namespace program_data
