#include "intake/drop_command_line_info.h"

#include <algorithm>
#include <cstring>

#include "fw/platform/process_command_line.h"
#include "fw/platform/system_code_page.h"
#include "fw/text/char_wise.h"

namespace {

constexpr char kQuote = '"';

std::string_view UpToFirstZero(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

} // namespace

CDropCommandLineInfo::CDropCommandLineInfo() {
    const fw::ProcessCommandLine commandLine = fw::GetProcessCommandLine();
    if (commandLine.alreadySplit) {
        SetWords(commandLine.args);
    } else {
        SetText(commandLine.text, fw::GetSystemCodePage());
    }
}

CDropCommandLineInfo::CDropCommandLineInfo(std::string commandLine, fw::CodePage codePage) {
    SetText(commandLine, codePage);
}

CDropCommandLineInfo::CDropCommandLineInfo(const std::vector<std::string>& args) {
    SetWords(args);
}

CDropCommandLineInfo::~CDropCommandLineInfo() = default;

void CDropCommandLineInfo::SetText(const std::string& commandLine, fw::CodePage codePage) {
    m_bSplit = false;
    m_strCommandLine = std::string(fw::TrimWhiteSpace(UpToFirstZero(commandLine), codePage));
}

void CDropCommandLineInfo::SetWords(const std::vector<std::string>& args) {
    m_bSplit = true;
    m_strCommandLine.clear();
    for (const std::string& arg : args) {
        m_strCommandLine.append(UpToFirstZero(arg));
        m_strCommandLine.push_back('\0');
    }
}

bool CDropCommandLineInfo::IsSwitchStart(char c) const {
    return c == '-' || (!m_bSplit && c == '/');
}

char* CDropCommandLineInfo::NextToken() {
    if (m_pszNext == nullptr) {
        return nullptr;
    }
    char* p = m_pszNext;
    if (m_bSplit) {
        // Every word, the empty one included, is ended by its own zero byte;
        // the buffer's final zero byte follows the last one.
        if (p == m_buffer.get() + m_strCommandLine.size()) {
            m_pszNext = nullptr;
            return nullptr;
        }
        m_pszNext = p + std::strlen(p) + 1;
        return p;
    }
    while (*p == ' ') {
        ++p;
    }
    if (*p == '\0') {
        m_pszNext = nullptr;
        return nullptr;
    }
    char* token = p;
    while (*p != '\0' && *p != ' ') {
        ++p;
    }
    if (*p == ' ') {
        *p = '\0';
        m_pszNext = p + 1;
    } else {
        m_pszNext = nullptr;
    }
    return token;
}

void CDropCommandLineInfo::ReadItem(std::string& text) {
    if (m_bSplit || *m_pszToken != kQuote) {
        text = m_pszToken;
        return;
    }
    char* const start = m_pszToken + 1;
    m_pszToken = start;
    // Rejoin words until one ends in a quote. A lone quote ends the loop at
    // once: the byte before the (empty) rest is the opening quote itself.
    for (;;) {
        char* end = m_pszToken + std::strlen(m_pszToken);
        if (end[-1] == kQuote) {
            break;
        }
        char* const next = NextToken();
        if (next == nullptr) {
            // Unterminated: the item runs to the end of the line.
            m_pszToken = nullptr;
            text = start;
            return;
        }
        // The tokenizer turned the first space of the gap into a zero byte;
        // the whole gap becomes spaces again, so runs of spaces are kept.
        std::fill(end, next, ' ');
        m_pszToken = next;
    }
    char* const end = m_pszToken + std::strlen(m_pszToken);
    if (end > start && end[-1] == kQuote) {
        end[-1] = '\0';
    }
    text = start;
}

bool CDropCommandLineInfo::GetFirstItem(std::string& switchText, std::string& paramText) {
    switchText.clear();
    paramText.clear();
    m_buffer.reset();
    m_buffer = std::make_unique<char[]>(m_strCommandLine.size() + 1); // zero-filled
    std::copy(m_strCommandLine.begin(), m_strCommandLine.end(), m_buffer.get());
    m_pszNext = m_buffer.get();
    m_pszToken = NextToken();
    if (m_pszToken == nullptr) {
        return false;
    }
    // The first word is the program's path. It is read as a whole, quotes
    // and all, and never as a switch: a path that begins with '/' or '-'
    // must not take the first real item along with it.
    std::string programPath;
    ReadItem(programPath);
    m_pszToken = NextToken();
    return GetNextItem(switchText, paramText);
}

bool CDropCommandLineInfo::GetNextItem(std::string& switchText, std::string& paramText) {
    switchText.clear();
    paramText.clear();
    if (m_pszToken == nullptr) {
        return false;
    }
    if (IsSwitchStart(*m_pszToken)) {
        ++m_pszToken;
        ReadItem(switchText);
        m_pszToken = NextToken();
        if (m_pszToken == nullptr) {
            return true;
        }
    }
    if (!IsSwitchStart(*m_pszToken)) {
        ReadItem(paramText);
        m_pszToken = NextToken();
    }
    return true;
}
