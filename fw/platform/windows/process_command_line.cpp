// The Windows command line is one text, which the program's own reader
// splits; the arguments of main are not used.
#include "fw/platform/process_command_line.h"

#include <windows.h>

namespace fw {

void SetProcessArguments(int /*argc*/, char** /*argv*/) {}

ProcessCommandLine GetProcessCommandLine() {
    ProcessCommandLine commandLine;
    commandLine.alreadySplit = false;
    if (const char* text = GetCommandLineA(); text != nullptr) {
        commandLine.text = text;
    }
    return commandLine;
}

} // namespace fw
