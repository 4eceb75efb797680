#include <gtest/gtest.h>

#include <string>

#include "fw/text/char_wise.h"
#include "fw/text/code_page.h"
#include "fw/text/one_line_name.h"

using fw::CodePage;

namespace {

// Shift-JIS characters whose second byte is an ASCII punctuation byte.
const std::string kHyo = "\x95\x5c";       // 表, second byte is '\'
const std::string kDa = "\x83\x5f";        // ダ, second byte is '_'
const std::string kWideSpace = "\x81\x40"; // full-width space

} // namespace

TEST(CharLength, Cp932LeadBytesTakeTheNextByte) {
    for (int lead : {0x81, 0x9F, 0xE0, 0xFC}) {
        const std::string text = {static_cast<char>(lead), '\x5c'};
        EXPECT_EQ(fw::CharLength(CodePage::Cp932, text, 0), 2u) << std::hex << lead;
    }
    for (int single : {0x20, 0x5C, 0x7F, 0x80, 0xA0, 0xB1, 0xDF, 0xFD, 0xFF}) {
        const std::string text = {static_cast<char>(single), '\x5c'};
        EXPECT_EQ(fw::CharLength(CodePage::Cp932, text, 0), 1u) << std::hex << single;
    }
}

TEST(CharLength, TruncatedSequencesNeverStepPastTheEnd) {
    EXPECT_EQ(fw::CharLength(CodePage::Cp932, "a\x81", 1), 1u);
    EXPECT_EQ(fw::CharLength(CodePage::Cp932, std::string("\x81\0x", 3), 0), 1u);
    EXPECT_EQ(fw::CharLength(CodePage::Utf8, "\xe3\x81", 0), 1u);
    EXPECT_EQ(fw::CharLength(CodePage::Utf8, "\xf0\x9f\x98", 0), 1u);
    EXPECT_EQ(fw::CharLength(CodePage::Utf8, "\xc3", 0), 1u);
}

TEST(CharLength, Utf8WellFormedSequencesOnly) {
    EXPECT_EQ(fw::CharLength(CodePage::Utf8, "\xc3\xa9", 0), 2u);         // é
    EXPECT_EQ(fw::CharLength(CodePage::Utf8, "\xe3\x81\x82", 0), 3u);     // あ
    EXPECT_EQ(fw::CharLength(CodePage::Utf8, "\xf0\x9f\x98\x80", 0), 4u); // emoji
    // An ASCII byte is never swallowed by a broken sequence.
    EXPECT_EQ(fw::CharLength(CodePage::Utf8, "\xe3\x5c\x82", 0), 1u);
    EXPECT_EQ(fw::CharLength(CodePage::Utf8, "\xc3_", 0), 1u);
    // Overlong forms, surrogates and stray continuation bytes stand alone.
    EXPECT_EQ(fw::CharLength(CodePage::Utf8, "\xc0\xaf", 0), 1u);
    EXPECT_EQ(fw::CharLength(CodePage::Utf8, "\xe0\x80\xaf", 0), 1u);
    EXPECT_EQ(fw::CharLength(CodePage::Utf8, "\xed\xa0\x80", 0), 1u);
    EXPECT_EQ(fw::CharLength(CodePage::Utf8, "\xf4\x90\x80\x80", 0), 1u);
    EXPECT_EQ(fw::CharLength(CodePage::Utf8, "\x80", 0), 1u);
}

TEST(TrimWhiteSpace, RemovesTheSixBlanksFromBothEndsOnly) {
    EXPECT_EQ(fw::TrimWhiteSpace(" \t\n\v\f\ra b\r\n\t ", CodePage::Cp932), "a b");
    EXPECT_EQ(fw::TrimWhiteSpace("   ", CodePage::Utf8), "");
    EXPECT_EQ(fw::TrimWhiteSpace("", CodePage::Utf8), "");
    EXPECT_EQ(fw::TrimWhiteSpace("x", CodePage::Utf8), "x");
}

TEST(TrimWhiteSpace, KeepsFullWidthSpaceAndWholeCharacters) {
    const std::string text = " " + kWideSpace + "a" + kWideSpace + " ";
    EXPECT_EQ(fw::TrimWhiteSpace(text, CodePage::Cp932), kWideSpace + "a" + kWideSpace);
    // A lead byte pairs with the blank after it, so that blank is not trimmed.
    EXPECT_EQ(fw::TrimWhiteSpace("a\x81 ", CodePage::Cp932), "a\x81 ");
    // The same bytes read as UTF-8 are a stray byte and a blank.
    EXPECT_EQ(fw::TrimWhiteSpace("a\x81 ", CodePage::Utf8), "a\x81");
    // U+3000 (ideographic space) is not a single-byte blank.
    EXPECT_EQ(fw::TrimWhiteSpace("\xe3\x80\x80x\xe3\x80\x80", CodePage::Utf8),
              "\xe3\x80\x80x\xe3\x80\x80");
}

TEST(FindLastChar, SkipsSecondBytesOfDoubleByteCharacters) {
    const std::string path = "D:\\" + kHyo + "\\a" + kHyo + ".mpg";
    EXPECT_EQ(fw::FindLastChar(path, '\\', CodePage::Cp932), 5u);
    EXPECT_EQ(fw::FindLastChar(kHyo, '\\', CodePage::Cp932), std::string::npos);
    // Read byte by byte, the 表's second byte would be the last backslash.
    EXPECT_EQ(fw::FindLastChar(path, '\\', CodePage::SingleByte), path.size() - 5);
    EXPECT_EQ(fw::FindLastChar("abc", '\\', CodePage::Utf8), std::string::npos);
    EXPECT_EQ(fw::FindLastChar("/a/b/", '/', CodePage::Utf8), 4u);
}

TEST(RemoveChars, RemovesEverySingleByteOccurrenceAndKeepsTheRestInOrder) {
    EXPECT_EQ(fw::RemoveChars("2002_05_party-1.mpg", "0123456789-_", CodePage::Cp932), "party.mpg");
    EXPECT_EQ(fw::RemoveChars("a b.c", "_", CodePage::Utf8), "a b.c");
    EXPECT_EQ(fw::RemoveChars("___", "_", CodePage::Utf8), "");
    const std::string name = kDa + "_" + kDa + "1";
    EXPECT_EQ(fw::RemoveChars(name, "1_", CodePage::Cp932), kDa + kDa);
    // A lead byte at the very end stands alone and is kept.
    EXPECT_EQ(fw::RemoveChars("a1\x83", "1", CodePage::Cp932), "a\x83");
}

TEST(SystemCodePage, CodesetNamesMapToCodePages) {
    EXPECT_EQ(fw::CodePageFromCodesetName("UTF-8"), CodePage::Utf8);
    EXPECT_EQ(fw::CodePageFromCodesetName("utf8"), CodePage::Utf8);
    EXPECT_EQ(fw::CodePageFromCodesetName("SHIFT_JIS"), CodePage::Cp932);
    EXPECT_EQ(fw::CodePageFromCodesetName("sjis"), CodePage::Cp932);
    EXPECT_EQ(fw::CodePageFromCodesetName("CP932"), CodePage::Cp932);
    EXPECT_EQ(fw::CodePageFromCodesetName("WINDOWS-31J"), CodePage::Cp932);
    EXPECT_EQ(fw::CodePageFromCodesetName("ANSI_X3.4-1968"), CodePage::SingleByte);
    EXPECT_EQ(fw::CodePageFromCodesetName("ISO-8859-1"), CodePage::SingleByte);
    EXPECT_EQ(fw::CodePageFromCodesetName(""), CodePage::SingleByte);
    EXPECT_EQ(fw::CodePageFromWindowsCodePage(65001), CodePage::Utf8);
    EXPECT_EQ(fw::CodePageFromWindowsCodePage(932), CodePage::Cp932);
    EXPECT_EQ(fw::CodePageFromWindowsCodePage(1252), CodePage::SingleByte);
}

TEST(OneLineName, ControlAndDirectionCharactersBecomeReplacements) {
    const std::string r = "\uFFFD";
    const struct {
        std::string name;
        std::string shown;
    } rows[] = {
        {"/tmp/動画 1.mpg", "/tmp/動画 1.mpg"},
        {"a\nb\r\tc\x7f", "a" + r + "b" + r + r + "c" + r},
        {"x\u202Egpm.exe", "x" + r + "gpm.exe"},
        {"\u2066a\u2069\u200F\u061C\u202A", r + "a" + r + r + r + r},
        {"\u2028\u2029\u0085", r + r + r},
        {"\xff\xe3\x81", r + r + r}, // not UTF-8
    };
    for (const auto& row : rows) {
        EXPECT_EQ(fw::OneLineName(row.name), row.shown) << row.name;
    }
}
