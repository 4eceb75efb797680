// Feeds any bytes to the command-line reader's text form and checks what
// must hold for every command line.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "fw/text/char_wise.h"
#include "intake/drop_command_line_info.h"

namespace {

struct Item {
    std::string switchText;
    std::string paramText;
    bool operator==(const Item&) const = default;
};

bool HasZeroByte(const std::string& text) {
    return text.find('\0') != std::string::npos;
}

// Reads all items and checks each against the trimmed line: no zero bytes,
// and every text (switch, then parameter) found in the line after the
// previous one, since items are cut out of the line in order.
std::vector<Item> ReadAll(CDropCommandLineInfo& reader, std::string_view line) {
    std::vector<Item> items;
    Item item;
    std::size_t cursor = 0;
    auto checkText = [&](const std::string& text) {
        FUZZ_CHECK(!HasZeroByte(text));
        const std::size_t found = line.find(text, cursor);
        FUZZ_CHECK(found != std::string_view::npos);
        cursor = found + text.size();
    };
    bool more = reader.GetFirstItem(item.switchText, item.paramText);
    // Every successful call uses up at least one space-separated word.
    const std::size_t bound = line.size() / 2 + 2;
    while (more) {
        FUZZ_CHECK(items.size() < bound);
        checkText(item.switchText);
        checkText(item.paramText);
        items.push_back(item);
        more = reader.GetNextItem(item.switchText, item.paramText);
    }
    FUZZ_CHECK(item.switchText.empty() && item.paramText.empty());
    FUZZ_CHECK(!reader.GetNextItem(item.switchText, item.paramText));
    return items;
}

// The items worked out from the word positions in the line, without cutting
// anything up: a word that starts with a quote opens an item that runs to the
// first word ending in a quote (the opening word's own quote does not count),
// or to the end of the line, and keeps everything between.
class ItemModel {
public:
    explicit ItemModel(std::string_view line) : m_line(line) {
        std::size_t pos = 0;
        while (pos < line.size()) {
            const std::size_t end = std::min(line.find(' ', pos), line.size());
            if (end > pos) {
                m_words.push_back({pos, end});
            }
            pos = end + 1;
        }
    }

    std::vector<Item> Items() {
        std::vector<Item> items;
        if (m_words.empty()) {
            return items;
        }
        ReadWord(0); // the program's path
        while (m_next < m_words.size()) {
            Item item;
            if (IsSwitch()) {
                item.switchText = ReadWord(1);
            }
            if (m_next < m_words.size() && !IsSwitch()) {
                item.paramText = ReadWord(0);
            }
            items.push_back(item);
        }
        return items;
    }

private:
    struct Word {
        std::size_t begin;
        std::size_t end;
    };

    bool IsSwitch() const {
        const char c = m_line[m_words[m_next].begin];
        return c == '/' || c == '-';
    }

    std::string ReadWord(std::size_t skip) {
        const Word word = m_words[m_next];
        const std::size_t begin = word.begin + skip;
        if (begin == word.end || m_line[begin] != '"') {
            ++m_next;
            return std::string(m_line.substr(begin, word.end - begin));
        }
        const std::size_t start = begin + 1;
        for (std::size_t j = m_next; j < m_words.size(); ++j) {
            const std::size_t end = m_words[j].end;
            if (end == start) {
                m_next = j + 1;
                return std::string();
            }
            if (m_line[end - 1] == '"') {
                m_next = j + 1;
                return std::string(m_line.substr(start, end - 1 - start));
            }
        }
        // Unterminated: up to the end of the last word. The line itself may
        // end in a space that a trailing lead byte kept from the trimming.
        m_next = m_words.size();
        return std::string(m_line.substr(start, m_words.back().end - start));
    }

    std::string_view m_line;
    std::vector<Word> m_words;
    std::size_t m_next = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const fw::CodePage codePage = (data[0] & 1) != 0 ? fw::CodePage::Cp932 : fw::CodePage::Utf8;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::string_view line =
        fw::TrimWhiteSpace(std::string_view(text).substr(0, text.find('\0')), codePage);

    CDropCommandLineInfo reader(text, codePage);
    const std::vector<Item> first = ReadAll(reader, line);
    // Starting over gives the same items.
    FUZZ_CHECK(ReadAll(reader, line) == first);
    FUZZ_CHECK(first == ItemModel(line).Items());
    return 0;
}
