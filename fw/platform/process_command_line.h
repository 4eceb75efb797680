#pragma once

#include <string>
#include <vector>

namespace fw {

// The process's command line as the platform hands it over: on Windows one
// text (GetCommandLineA), on POSIX the arguments already split.
struct ProcessCommandLine {
    bool alreadySplit = false;
    std::string text;              // when !alreadySplit
    std::vector<std::string> args; // when alreadySplit; args[0] is the program
};

// Stores the arguments given to main. Called once by the program's entry on
// platforms that split the command line; ignored where the platform keeps
// the text itself.
void SetProcessArguments(int argc, char** argv);

ProcessCommandLine GetProcessCommandLine();

} // namespace fw
