#include "browser/logic/windowscommandline.h"

namespace velberd {
namespace {

bool needsQuotes(std::string_view argument) {
    return argument.empty() || argument.find_first_of(" \t\n\v\"") != std::string_view::npos;
}

// Backslashes count only before a quote: there, and before the closing quote, each one is
// doubled, and a quote of the argument gets one more backslash of its own.
void appendQuoted(std::string& line, std::string_view argument) {
    line += '"';
    std::size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"') {
            line.append(backslashes * 2 + 1, '\\');
        } else {
            line.append(backslashes, '\\');
        }
        backslashes = 0;
        line += c;
    }
    line.append(backslashes * 2, '\\');
    line += '"';
}

} // namespace

std::optional<std::string> windowsCommandLine(std::string_view program, const std::vector<std::string>& arguments) {
    if (program.find('"') != std::string_view::npos) return std::nullopt;
    std::string line(1, '"');
    line += program;
    line += '"';
    for (const auto& argument : arguments) {
        line += ' ';
        if (needsQuotes(argument)) {
            appendQuoted(line, argument);
        } else {
            line += argument;
        }
    }
    return line;
}

} // namespace velberd
