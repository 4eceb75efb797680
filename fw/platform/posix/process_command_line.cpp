#include "fw/platform/process_command_line.h"

namespace fw {
namespace {

std::vector<std::string>& StoredArguments() {
    static std::vector<std::string> arguments;
    return arguments;
}

} // namespace

void SetProcessArguments(int argc, char** argv) {
    std::vector<std::string>& arguments = StoredArguments();
    arguments.clear();
    for (int i = 0; i < argc && argv[i] != nullptr; ++i) {
        arguments.emplace_back(argv[i]);
    }
}

ProcessCommandLine GetProcessCommandLine() {
    ProcessCommandLine commandLine;
    commandLine.alreadySplit = true;
    commandLine.args = StoredArguments();
    return commandLine;
}

} // namespace fw
