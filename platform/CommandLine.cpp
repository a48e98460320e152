#include "platform/CommandLine.h"

namespace platform {
namespace {

std::string WithoutQuotes(const std::string& argument) {
    if (argument.size() >= 2 && argument.front() == '"' && argument.back() == '"') {
        return argument.substr(1, argument.size() - 2);
    }
    return argument;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine result;
    bool haveFile = false;
    for (const std::string& argument : arguments) {
        if (!argument.empty() && argument.front() == '-') {
            result.flags.push_back(argument.substr(1));
        } else if (!haveFile) {
            result.file = WithoutQuotes(argument);
            haveFile = !result.file.empty();
        }
    }
    return result;
}

std::vector<std::string> SplitParameterText(std::string_view text) {
    std::vector<std::string> arguments;
    std::string current;
    bool inArgument = false;
    bool quoted = false;
    for (const char c : text) {
        if (c == '"') {
            quoted = !quoted;
            inArgument = true;  // "" is an empty argument of its own
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inArgument) arguments.push_back(current);
            current.clear();
            inArgument = false;
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (inArgument) arguments.push_back(current);
    return arguments;
}

}  // namespace platform
