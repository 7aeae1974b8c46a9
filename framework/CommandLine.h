#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

// An option of the program's own that takes a value: --name VALUE or --name=VALUE (one dash
// will do).
struct CommandLineOption
{
    const char* name;      // without the dashes
    const char* valueName; // how the help names the value
    int descriptionId;     // the option's help, from the string table; lines after the first
                           // are indented under it
    // Takes the value: empty when it is accepted, otherwise why not, in one line.
    std::function<std::string(const std::string& value)> take;
};

// Answers a command line that asks for something other than running the program, which offers
// --help, --version and the application object's own options: --help and --version print to
// standard output and give 0; an unknown option, an argument and a refused value print the
// reason and the help to standard error and give 2. Returns nothing when the program is to run,
// with its options taken. Needs no window system.
std::optional<int> AfxAnswerCommandLine(int argc, char* argv[], const char* versionText);
