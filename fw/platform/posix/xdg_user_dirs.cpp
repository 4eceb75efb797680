#include "fw/platform/posix/xdg_user_dirs.h"

namespace fw {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Cursor over one line of the file.
class LineReader {
public:
    explicit LineReader(std::string_view line) : m_line(line) {}

    bool AtEnd() const { return m_pos >= m_line.size(); }
    char Peek() const { return m_line[m_pos]; }
    void SkipBlanks() {
        while (!AtEnd() && IsBlank(Peek())) {
            ++m_pos;
        }
    }
    bool Consume(std::string_view word) {
        if (m_line.substr(m_pos).starts_with(word)) {
            m_pos += word.size();
            return true;
        }
        return false;
    }
    // Skips "$HOME" or "${HOME}" when it stands alone before a slash, a
    // quote, a blank or the end of the line.
    bool ConsumeHomeVariable() {
        for (std::string_view name : {"${HOME}", "$HOME"}) {
            const std::string_view rest = m_line.substr(m_pos);
            if (rest.starts_with(name)) {
                const std::string_view after = rest.substr(name.size());
                if (after.empty() || after[0] == '/' || after[0] == '"' || after[0] == '\'' ||
                    IsBlank(after[0])) {
                    m_pos += name.size();
                    return true;
                }
            }
        }
        return false;
    }

    // Reads one shell word into value. False when a quote is left open.
    // usesHome tells whether the word began with the home variable.
    bool ReadWord(const std::optional<std::string>& home, std::string& value, bool& usesHome) {
        value.clear();
        usesHome = false;
        while (!AtEnd() && !IsBlank(Peek())) {
            const char c = Peek();
            if (c == '"') {
                ++m_pos;
                if (!ReadDoubleQuoted(home, value, usesHome)) {
                    return false;
                }
            } else if (c == '\'') {
                const std::size_t close = m_line.find('\'', m_pos + 1);
                if (close == std::string_view::npos) {
                    return false;
                }
                value.append(m_line.substr(m_pos + 1, close - m_pos - 1));
                m_pos = close + 1;
            } else if (c == '\\') {
                ++m_pos;
                if (!AtEnd()) {
                    value += Peek();
                    ++m_pos;
                }
            } else {
                ExpandHomeAtStart(home, value, usesHome);
                if (!AtEnd() && !IsBlank(Peek()) && Peek() != '"' && Peek() != '\'') {
                    value += Peek();
                    ++m_pos;
                }
            }
        }
        return true;
    }

private:
    void ExpandHomeAtStart(const std::optional<std::string>& home, std::string& value,
                           bool& usesHome) {
        if (value.empty() && !usesHome && ConsumeHomeVariable()) {
            usesHome = true;
            value = home.value_or(std::string());
        }
    }

    bool ReadDoubleQuoted(const std::optional<std::string>& home, std::string& value,
                          bool& usesHome) {
        ExpandHomeAtStart(home, value, usesHome);
        while (!AtEnd()) {
            const char c = Peek();
            ++m_pos;
            if (c == '"') {
                return true;
            }
            if (c == '\\' && !AtEnd()) {
                const char next = Peek();
                if (next == '"' || next == '\\' || next == '$' || next == '`') {
                    value += next;
                    ++m_pos;
                    continue;
                }
            }
            value += c;
        }
        return false;
    }

    std::string_view m_line;
    std::size_t m_pos = 0;
};

} // namespace

std::string WithoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

std::optional<std::string> FindXdgUserDir(std::string_view fileText, std::string_view key,
                                          const std::optional<std::string>& home) {
    std::optional<std::string> result;
    std::size_t lineStart = 0;
    while (lineStart < fileText.size()) {
        std::size_t lineEnd = fileText.find('\n', lineStart);
        if (lineEnd == std::string_view::npos) {
            lineEnd = fileText.size();
        }
        std::string_view text = fileText.substr(lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 1;
        if (text.ends_with('\r')) {
            text.remove_suffix(1);
        }
        LineReader line(text);

        line.SkipBlanks();
        if (line.Consume("export") && !line.AtEnd() && IsBlank(line.Peek())) {
            line.SkipBlanks();
        }
        if (!line.Consume(key) || !line.Consume("=")) {
            continue;
        }
        std::string value;
        bool usesHome = false;
        if (!line.ReadWord(home, value, usesHome) || (usesHome && !home)) {
            continue;
        }
        if (value.empty() || value[0] != '/') {
            continue;
        }
        value = WithoutTrailingSlashes(std::move(value));
        if (home && value == WithoutTrailingSlashes(*home)) {
            result.reset();
        } else {
            result = std::move(value);
        }
    }
    return result;
}

} // namespace fw
