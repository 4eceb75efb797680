#pragma once

#include <memory>
#include <string>
#include <vector>

#include "fw/core/command_line_info.h"
#include "fw/text/code_page.h"

// Takes the process command line apart into items, one item per call: an
// optional switch (its text without the leading switch character) followed
// by an optional parameter. The program's own path, the first word, is
// skipped. Two forms:
// - one command-line text (as Windows hands it over): words separated by
//   spaces, a word beginning with '/' or '-' is a switch, a word beginning
//   with a double quote opens a quoted item that runs to the first word
//   ending in a double quote (or to the end of the line) and keeps the
//   spaces inside it;
// - arguments already split (as POSIX hands them over): each argument is one
//   word, only '-' begins a switch, and there is no quoting.
// Usage: GetFirstItem once, then GetNextItem until it returns false;
// GetFirstItem starts over.
class CDropCommandLineInfo : public CCommandLineInfo {
public:
    // Reads the current process's command line in the form the platform
    // hands over, in the system's code page.
    CDropCommandLineInfo();
    // The text form, over commandLine. The text ends at its first zero byte;
    // leading and trailing single-byte white space is removed per character
    // of codePage.
    CDropCommandLineInfo(std::string commandLine, fw::CodePage codePage);
    // The split form; args[0] is the program. An argument ends at its first
    // zero byte, as it would in the C argument vector.
    explicit CDropCommandLineInfo(const std::vector<std::string>& args);
    ~CDropCommandLineInfo() override;

    // Starts at the beginning and reads the first item after the program's
    // path. Both outputs are emptied first. False when there is none.
    bool GetFirstItem(std::string& switchText, std::string& paramText);
    // Reads the next item: at most one switch, then at most one parameter. A
    // switch followed directly by another switch gives an empty parameter.
    // Both outputs are emptied first. False once the words are used up.
    bool GetNextItem(std::string& switchText, std::string& paramText);

private:
    void SetText(const std::string& commandLine, fw::CodePage codePage);
    void SetWords(const std::vector<std::string>& args);
    // Reads the word at m_pszToken, rejoining a quoted item.
    void ReadItem(std::string& text);
    // The word after the current one, or null when there is none. In the
    // text form the word is cut out of the buffer in place: the space after
    // it becomes a zero byte.
    char* NextToken();
    bool IsSwitchStart(char c) const;

    // Text form: the command line, trimmed. Split form: the words one after
    // another, each ended by a zero byte.
    std::string m_strCommandLine;
    // The current word inside m_buffer; null once the words are used up.
    char* m_pszToken = nullptr;
    // Work copy of m_strCommandLine plus a final zero byte, cut up in place;
    // null until the first GetFirstItem.
    std::unique_ptr<char[]> m_buffer;

    bool m_bSplit = false;
    // Where the next word is searched; null when the buffer is used up.
    char* m_pszNext = nullptr;
};
