#pragma once

// Base of the program's command-line readers. The framework's own parsing of
// the command line is never run, so the base carries no state; it exists so
// that readers derive from the framework class as the application expects.
class CCommandLineInfo {
public:
    CCommandLineInfo() = default;
    CCommandLineInfo(const CCommandLineInfo&) = delete;
    CCommandLineInfo& operator=(const CCommandLineInfo&) = delete;
    virtual ~CCommandLineInfo() = default;
};
