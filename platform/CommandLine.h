#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// What a program was asked to do on its command line.
struct CommandLine {
    std::vector<std::string> flags;  // without their leading '-'; a lone "-" gives an empty flag
    std::string file;                // the first argument that is not a flag; empty when none
};

// Reads the program arguments (without the program name itself): an argument starting with
// '-' is a flag, the first other argument is the file to open, later ones are ignored. A file
// argument that still carries its double quotes (handed over as one piece by a launcher) loses
// them. A leading '/' does not make a flag here, since it starts every absolute path.
// The viewer starts the program with the parameter text ` - "<path>"`, which gives one empty
// flag and the path.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// Splits a parameter text as a shell would hand it to the program: blanks separate arguments,
// double quotes group blanks into one argument and are removed, a backslash is an ordinary
// character (it occurs in paths). ` - "/pictures/my scan.jpg"` gives "-" and the path.
std::vector<std::string> SplitParameterText(std::string_view text);

}  // namespace platform
