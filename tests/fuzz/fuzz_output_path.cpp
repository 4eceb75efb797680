// Feeds any bytes to the output-path proposal, for both code pages and both
// separators, and checks what must hold for every input.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "fw/text/char_wise.h"
#include "intake/default_output_path.h"

namespace {

constexpr std::string_view kRemoved = "0123456789-_";

// No single-byte character of the name is a removed one or the separator.
void CheckName(std::string_view name, char separator, fw::CodePage codePage) {
    for (std::size_t pos = 0; pos < name.size();) {
        const std::size_t length = fw::CharLength(codePage, name, pos);
        FUZZ_CHECK(length >= 1 && pos + length <= name.size());
        if (length == 1) {
            FUZZ_CHECK(kRemoved.find(name[pos]) == std::string_view::npos);
            FUZZ_CHECK(name[pos] != separator);
        }
        pos += length;
    }
}

// The multibyte characters of the text, one after another: removing
// single-byte characters must leave every one of them whole and in order.
std::string MultibyteChars(std::string_view text, fw::CodePage codePage) {
    std::string chars;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = fw::CharLength(codePage, text, pos);
        if (length > 1) {
            chars.append(text.substr(pos, length));
        }
        pos += length;
    }
    return chars;
}

} // namespace

// Input: one byte of options (code page, separator, whether there is a
// directory), one byte of directory length, the directory, then the path.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const fw::CodePage codePage = (data[0] & 1) != 0 ? fw::CodePage::Cp932 : fw::CodePage::Utf8;
    const char separator = (data[0] & 2) != 0 ? '\\' : '/';
    const bool hasDirectory = (data[0] & 4) == 0;
    const std::string_view rest(reinterpret_cast<const char*>(data + 2), size - 2);
    const std::size_t directoryLength = std::min<std::size_t>(data[1], rest.size());
    std::optional<std::string> directory;
    if (hasDirectory) {
        directory = std::string(rest.substr(0, directoryLength));
    }
    const std::string_view input = rest.substr(directoryLength);

    const std::string result = MakeOutputPathIn(input, directory, separator, codePage);

    std::string_view name = result;
    if (directory) {
        FUZZ_CHECK(result.size() <= input.size() + directory->size() + 1);
        FUZZ_CHECK(result.starts_with(*directory));
        name.remove_prefix(directory->size());
        const std::size_t last = fw::FindLastChar(*directory, separator, codePage);
        const bool endsWithSeparator = last != std::string::npos && last + 1 == directory->size();
        if (!endsWithSeparator) {
            FUZZ_CHECK(!name.empty() && name[0] == separator);
            name.remove_prefix(1);
        }
    } else {
        FUZZ_CHECK(result.size() <= input.size());
    }
    CheckName(name, separator, codePage);
    std::string_view inputName = input;
    const std::size_t lastInInput = fw::FindLastChar(input, separator, codePage);
    if (lastInInput != std::string_view::npos) {
        inputName.remove_prefix(lastInInput + 1);
    }
    // In UTF-8 stray bytes left side by side may form a new sequence; in
    // Shift-JIS a lead byte is only alone at the end or before a zero byte,
    // so nothing new pairs.
    const std::string before = MultibyteChars(inputName, codePage);
    const std::string after = MultibyteChars(name, codePage);
    if (codePage == fw::CodePage::Cp932) {
        FUZZ_CHECK(after == before);
    } else {
        FUZZ_CHECK(after.size() >= before.size());
    }
    // The name is already stripped: proposing again from it changes nothing.
    FUZZ_CHECK(MakeOutputPathIn(name, std::nullopt, separator, codePage) == name);
    return 0;
}
