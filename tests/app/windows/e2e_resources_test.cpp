// What korvane.exe carries: dialog template 102 exactly as the layout data
// gives it, the three icons, the version block and the manifest.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/app/windows/e2e_fixture.h"
#include "tests/app/windows/expected_layout.h"
#include "tests/app/windows/program_resources.h"

namespace {

TEST(KorvaneResources, Template102IsTheLayoutDataExactly) {
    const ProgramResources resources(KorvaneExePath());
    ASSERT_TRUE(resources.Loaded());
    const auto parsed = ParseTemplateEx(resources.Bytes(RT_DIALOG, 102));
    ASSERT_TRUE(parsed.has_value()) << "no extended template 102";
    const TemplateEx& t = *parsed;

    EXPECT_EQ(t.style, layout::kDialog.style);
    EXPECT_EQ(t.exStyle, layout::kDialog.exStyle);
    EXPECT_EQ(t.helpId, 0u);
    EXPECT_EQ((std::vector<int>{t.x, t.y, t.cx, t.cy}),
              (std::vector<int>{layout::kDialog.x, layout::kDialog.y, layout::kDialog.cx,
                                layout::kDialog.cy}));
    EXPECT_TRUE(t.menu.empty());
    EXPECT_TRUE(t.windowClass.empty());
    EXPECT_EQ(t.caption, layout::Wide(layout::kDialog.caption));
    EXPECT_EQ(t.pointSize, layout::kDialog.pointSize);
    EXPECT_EQ(t.face, layout::Wide(layout::kDialog.face));
    EXPECT_EQ(t.weight, layout::kDialog.weight);
    EXPECT_EQ(t.italic, layout::kDialog.italic);
    EXPECT_EQ(t.charset, layout::kDialog.charset);

    ASSERT_EQ(t.items.size(), std::size(layout::kControls));
    for (std::size_t i = 0; i < t.items.size(); ++i) {
        const TemplateItem& item = t.items[i];
        const layout::ExpectedControl& want = layout::kControls[i];
        SCOPED_TRACE("control " + std::to_string(i));
        EXPECT_EQ(item.id, want.id);
        // Class names are stored as text; Windows compares them without case.
        EXPECT_EQ(lstrcmpiW(item.className.c_str(), layout::Wide(want.className).c_str()), 0)
            << Narrow(item.className);
        EXPECT_EQ(item.text, layout::Wide(want.text));
        EXPECT_EQ(item.style, want.style) << std::hex << item.style << " " << want.style;
        EXPECT_EQ(item.exStyle, 0u);
        EXPECT_EQ((std::vector<int>{item.x, item.y, item.cx, item.cy}),
                  (std::vector<int>{want.x, want.y, want.cx, want.cy}));
        EXPECT_EQ(item.extraCount, 0);
    }
}

// A few facts of the template stated on their own, so that a slip in the
// shared layout data shows here too.
TEST(KorvaneResources, Template102KeyFacts) {
    const ProgramResources resources(KorvaneExePath());
    const auto parsed = ParseTemplateEx(resources.Bytes(RT_DIALOG, 102));
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(parsed->cx, 319);
    EXPECT_EQ(parsed->cy, 247);
    EXPECT_EQ(parsed->style,
              static_cast<DWORD>(WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_SETFONT));
    EXPECT_EQ(parsed->exStyle, static_cast<DWORD>(WS_EX_APPWINDOW));
    EXPECT_EQ(parsed->caption, L"Korvane");
    EXPECT_EQ(parsed->face, L"ＭＳ Ｐゴシック");
    EXPECT_EQ(parsed->pointSize, 9);
    EXPECT_EQ(parsed->charset, 1);
    ASSERT_EQ(parsed->items.size(), 8u);
    EXPECT_EQ(parsed->items[0].id, IDOK);
    EXPECT_EQ(parsed->items[0].text, L"結合");
    EXPECT_EQ(parsed->items[0].style & 0x0F, static_cast<DWORD>(BS_DEFPUSHBUTTON));
    EXPECT_EQ(parsed->items[1].text, L"結合するファイルの一覧：");
    EXPECT_EQ(parsed->items[2].text, L"保存先：");
    EXPECT_EQ(parsed->items[5].style & LBS_SORT, 0u); // join list keeps its order
    EXPECT_EQ(parsed->items[7].id, 1004);
    EXPECT_NE(parsed->items[7].style & LBS_SORT, 0u);
    EXPECT_EQ(parsed->items[7].style & WS_VISIBLE, 0u);
}

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width;
    BYTE height;
    BYTE colorCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytesInRes;
    WORD id;
};
#pragma pack(pop)

TEST(KorvaneResources, IconsHoldEverySizeAndTheClassic32PixelDepth) {
    const ProgramResources resources(KorvaneExePath());
    ASSERT_TRUE(resources.Loaded());
    const struct {
        int id;
        int bitCount;
    } icons[] = {{128, 8}, {133, 4}, {134, 4}};
    for (const auto& icon : icons) {
        SCOPED_TRACE("icon " + std::to_string(icon.id));
        const std::vector<std::uint8_t> group = resources.Bytes(RT_GROUP_ICON, icon.id);
        ASSERT_GE(group.size(), 6u);
        const std::size_t count = group[4] | (group[5] << 8);
        ASSERT_GE(group.size(), 6u + count * sizeof(GroupIconEntry));
        std::vector<int> sizes;
        for (std::size_t i = 0; i < count; ++i) {
            GroupIconEntry entry{};
            std::memcpy(&entry, group.data() + 6 + i * sizeof entry, sizeof entry);
            const int side = entry.width == 0 ? 256 : entry.width;
            EXPECT_EQ(entry.height, entry.width);
            if (side == 32) {
                EXPECT_EQ(entry.bitCount, icon.bitCount);
            }
            EXPECT_FALSE(resources.Bytes(RT_ICON, entry.id).empty());
            sizes.push_back(side);
        }
        EXPECT_EQ(sizes, (std::vector<int>{16, 20, 24, 32, 40, 48, 64, 256}));
    }
}

TEST(KorvaneResources, ManifestAsksForUtf8AndPerMonitorDpi) {
    const ProgramResources resources(KorvaneExePath());
    const std::vector<std::uint8_t> bytes = resources.Bytes(RT_MANIFEST, 1);
    const std::string manifest(bytes.begin(), bytes.end());
    EXPECT_NE(manifest.find("<activeCodePage"), std::string::npos);
    EXPECT_NE(manifest.find(">UTF-8</activeCodePage>"), std::string::npos);
    EXPECT_NE(manifest.find("PerMonitorV2"), std::string::npos);
    EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
}

std::wstring VersionString(const std::vector<std::uint8_t>& block, const std::wstring& key,
                           bool* found) {
    const std::wstring path = L"\\StringFileInfo\\041104b0\\" + key;
    void* value = nullptr;
    UINT length = 0;
    *found = VerQueryValueW(block.data(), path.c_str(), &value, &length) != 0;
    if (!*found || value == nullptr || length == 0) {
        return {};
    }
    std::wstring text(static_cast<const wchar_t*>(value), length);
    while (!text.empty() && text.back() == L'\0') {
        text.pop_back();
    }
    return text;
}

TEST(KorvaneResources, VersionBlockReadsBack) {
    const std::wstring exe = KorvaneExePath();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<std::uint8_t> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedLength = 0;
    ASSERT_TRUE(
        VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedLength));
    ASSERT_GE(fixedLength, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00000000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00000000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileFlagsMask, 0x3Fu);
    EXPECT_EQ(fixed->dwFileFlags, 0u);
    EXPECT_EQ(fixed->dwFileOS, 4u);
    EXPECT_EQ(fixed->dwFileType, 1u);
    EXPECT_EQ(fixed->dwFileSubtype, 0u);

    const struct {
        const wchar_t* key;
        const wchar_t* value;
    } strings[] = {
        {L"Comments", L""},
        {L"CompanyName", L""},
        {L"FileDescription", L"Korvane"},
        {L"FileVersion", L"0, 0, 1, 0"},
        {L"InternalName", L"korvane"},
        {L"LegalCopyright", L"Copyright (C) 2026 The Korvane authors"},
        {L"LegalTrademarks", L""},
        {L"OriginalFilename", L"korvane.EXE"},
        {L"PrivateBuild", L""},
        {L"ProductName", L"Korvane"},
        {L"ProductVersion", L"0, 0, 1, 0"},
        {L"SpecialBuild", L""},
    };
    for (const auto& entry : strings) {
        bool found = false;
        EXPECT_EQ(VersionString(block, entry.key, &found), entry.value) << Narrow(entry.key);
        EXPECT_TRUE(found) << Narrow(entry.key);
    }

    WORD* translation = nullptr;
    UINT translationLength = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &translationLength));
    ASSERT_EQ(translationLength, 4u);
    EXPECT_EQ(translation[0], 0x0411);
    EXPECT_EQ(translation[1], 1200);
}

} // namespace
