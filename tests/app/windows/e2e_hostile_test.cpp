// korvane.exe under hostile conditions, one start per case: paths of 319
// characters (plain and "\\?\"), an output that is a FIFO (a pipe, under
// Wine), the null device, Windows before 10 version 1903, which runs the
// program in the ANSI code page whatever its manifest says; while a long
// join runs, a join posted again and the session's end; and joins stopped
// from their progress window: into an output of 352 characters, into one
// with a second name, and from an input whose name turns the text right to
// left; and the program killed mid-join. This suite
// runs with LC_ALL=ja_JP.UTF-8, which gives Wine the code page 932, and
// KORVANE_FIFO names a FIFO that CTest makes for it on the host.
#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "fw/platform/windows/unique_handle.h"
#include "tests/app/windows/e2e_fixture.h"
#include "tests/app/windows/program_resources.h"
#include "tests/expected_texts.h"

namespace {

// The paths under folder whose names start with prefix. A killed program's
// files may still be going away while the folder is read (Wine removes a
// file marked for deletion once the process is gone); a scan that loses an
// entry that way is made again, a few times at most.
std::vector<std::wstring> NamesUnder(const std::filesystem::path& folder,
                                     std::wstring_view prefix) {
    for (int attempt = 1;; ++attempt) {
        std::vector<std::wstring> found;
        std::error_code error;
        for (std::filesystem::recursive_directory_iterator it(folder, error), end;
             !error && it != end; it.increment(error)) {
            if (it->path().filename().wstring().starts_with(prefix)) {
                found.push_back(it->path().wstring());
            }
        }
        if (!error) {
            return found;
        }
        if (attempt == 5) {
            throw std::filesystem::filesystem_error("cannot read the test folder", folder, error);
        }
        Sleep(200);
    }
}

// A copy of korvane.exe, named korvane.exe, whose manifest lacks the UTF-8
// code page, as such a Windows ignores it; empty where it cannot be made.
std::wstring WithoutUtf8CodePage(const std::filesystem::path& folder) {
    const std::vector<std::uint8_t> bytes =
        ProgramResources(KorvaneExePath()).Bytes(RT_MANIFEST, 1);
    std::string manifest(bytes.begin(), bytes.end());
    const std::string end = "</activeCodePage>";
    const std::size_t from = manifest.find("<activeCodePage");
    const std::wstring copy = (folder / L"korvane.exe").wstring();
    if (from == std::string::npos || !std::filesystem::create_directories(folder) ||
        !CopyFileW(KorvaneExePath().c_str(), copy.c_str(), FALSE)) {
        return {};
    }
    manifest.erase(from, manifest.find(end) + end.size() - from);
    HANDLE update = BeginUpdateResourceW(copy.c_str(), FALSE);
    const bool updated = update != nullptr &&
                         UpdateResourceW(update, RT_MANIFEST, MAKEINTRESOURCEW(1),
                                         MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT),
                                         manifest.data(), static_cast<DWORD>(manifest.size())) &&
                         EndUpdateResourceW(update, FALSE);
    return updated ? copy : std::wstring();
}

// Joins, then stops the join from its progress window, which shows the
// first input's name ending in itemEnds (where given) and a bar that has
// not run ahead of the bytes; no message follows.
void StopFromTheProgressWindow(DWORD processId, HWND dialog, const std::wstring& itemEnds) {
    probe::Click(dialog, IDOK);
    auto question = probe::WaitForMessageBox(processId);
    ASSERT_TRUE(question.has_value() && probe::Answer(*question, IDOK));
    std::pair<HWND, HWND> progress;
    ASSERT_TRUE(probe::WaitUntil([&] {
        progress = probe::FindProgressWindow(processId);
        return progress.first != nullptr;
    }));
    const std::wstring item = probe::Text(GetDlgItem(progress.first, 101));
    EXPECT_TRUE(item.ends_with(itemEnds)) << Narrow(item);
    EXPECT_LT(probe::BarPosition(progress.second), 5000);
    probe::PressEscape(progress.first);
    ASSERT_TRUE(probe::WaitUntil([&] { return !IsWindow(progress.first); }));
    EXPECT_FALSE(probe::WaitForMessageBox(processId, 1500).has_value());
}

TEST_F(KorvaneE2E, HostileConditionsEndWithTheirMessageAndTheDialogAlive) {
    ASSERT_EQ(GetACP(), 932u) << "LC_ALL=ja_JP.UTF-8 did not give the code page 932";
    const std::wstring fifo = L"" KORVANE_FIFO;
    const std::wstring cp932 = WithoutUtf8CodePage(m_folder / L"cp932");
    ASSERT_FALSE(cp932.empty()) << "cannot make the copy without the UTF-8 code page";
    // Two inputs alike, so that their order does not matter.
    const std::wstring a = MakeFile(L"a.mpg", 7000, 1);
    std::wstring deep = L"deep";
    while (PathOf(deep).size() < 250) {
        deep += L"\\" + std::wstring(40, L'd');
    }
    const std::size_t room = 319 - PathOf(deep).size() - 1 - 4;
    const std::wstring longIn =
        MakeFile(deep + L"\\" + std::wstring(room, L'i') + L".mpg", 7000, 1);
    const std::wstring longOut = PathOf(deep + L"\\" + std::wstring(room, L'o') + L".mpg");
    ASSERT_EQ(longIn.size(), 319u);
    const std::wstring movie = MakeFile(L"動画・ソ表.mpg", 6500, 3);
    const std::wstring trailer = MakeFile(L"短い予告.mpg", 100, 4);
    // 64 GiB of holes take far longer to copy than a case waits: these joins
    // are stopped from their progress window.
    const std::wstring huge = PathOf(L"huge.mpg");
    const std::wstring hugeLong = PathOf(deep + L"\\" + std::wstring(room, L'h') + L".mpg");
    ASSERT_TRUE(MakeSparseFile(huge, 64ULL << 30) &&
                MakeSparseFile(L"\\\\?\\" + hugeLong, 64ULL << 30));
    const std::wstring oddName = PathOf(L"x\u202Egpm.mpg");
    ASSERT_TRUE(CreateHardLinkW(oddName.c_str(), huge.c_str(), nullptr));
    const std::wstring out352 =
        PathOf(deep + L"\\" + std::wstring(352 - PathOf(deep).size() - 5, L'o') + L".mpg");
    ASSERT_EQ(out352.size(), 352u);
    const std::wstring linked = MakeFile(L"linked.mpg", 100000, 5);
    const std::wstring otherName = PathOf(L"other.mpg");
    ASSERT_TRUE(CreateHardLinkW(otherName.c_str(), linked.c_str(), nullptr));
    const std::string done = expected::kJoinComplete;
    const std::string joined = Joined({PatternOf(7000, 1), PatternOf(7000, 1)});
    const std::wstring previous = MakeFile(L"previous.mpg", 9000, 6);
    const std::string kept = PatternOf(9000, 6);
    const std::string linkedBytes = PatternOf(100000, 5);

    const std::wstring large = MakeLongJoinInput(L"large.mpg");
    ASSERT_FALSE(large.empty());
    const std::wstring out = PathOf(L"out.mpg");
    KorvaneProcess* running = nullptr;

    struct Case {
        const char* name;
        std::wstring exe;
        std::vector<std::wstring> inputs;
        std::wstring output;
        std::string message; // empty: none
        std::string written; // in the output afterwards; "?": not checked, "-": no such file
        // Stopped from its progress window: no message, the output as it was.
        bool stop = false;
        std::wstring itemEnds = {};  // how the window's line for the input ends
        std::wstring otherName = {}; // another name of the output, as it was afterwards
        std::function<void(HWND progressWindow)> whileJoining = {};
    };
    const std::wstring unc = L"\\\\?\\";
    // Killed as Task Manager ends a program: the output is as it was.
    const auto killed = [&](HWND) {
        const fw::windows::UniqueHandle process(OpenProcess(PROCESS_TERMINATE, FALSE, ProcessId()));
        ASSERT_TRUE(process && TerminateProcess(process.Get(), 1));
        EXPECT_TRUE(running->WaitForExit(probe::kWaitMs).has_value());
    };
    const std::vector<Case> cases = {
        {"319 characters", {}, {longIn, a}, longOut, done, joined},
        {"319 characters after \\\\?\\", {}, {unc + longIn, a}, unc + longOut, done, joined},
        {"FIFO", {}, {a}, fifo, expected::CannotCreateOutput(Narrow(fifo)), "?"},
        {"null device", {}, {a}, L"NUL", done, "?"},
        {"code page 932",
         cp932,
         {movie, trailer},
         PathOf(L"結合.mpg"),
         expected::MaybeNotMpeg(Narrow(trailer)),
         "?"},
        {"join posted again during the join",
         {},
         {large, a},
         out,
         "",
         "-",
         false,
         {},
         {},
         [&](HWND progressWindow) {
             probe::Click(Dialog(), IDOK);
             PostMessageW(Control(IDOK), BM_CLICK, 0, 0);
             EXPECT_FALSE(probe::WaitForMessageBox(ProcessId(), 1500).has_value())
                 << "a second join began";
             PostMessageW(progressWindow, WM_COMMAND, IDCANCEL, 0);
         }},
        {"the session ends during the join",
         {},
         {large, a},
         out,
         "",
         "-",
         false,
         {},
         {},
         [&](HWND) {
             DWORD_PTR mayEnd = TRUE;
             EXPECT_TRUE(SendMessageTimeoutW(Dialog(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF,
                                             SMTO_ABORTIFHUNG, 5000, &mayEnd));
             EXPECT_EQ(mayEnd, static_cast<DWORD_PTR>(FALSE)) << "the session may end";
             SendMessageTimeoutW(Dialog(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG,
                                 5000, nullptr);
             EXPECT_TRUE(running->WaitForExit(probe::kWaitMs).has_value()) << "it goes on";
         }},
        {"killed", {}, {large, a}, out, "", "-", false, {}, {}, killed},
        {"killed, over an old file", {}, {large, a}, previous, "", kept, false, {}, {}, killed},
        {"stopped, 352 characters", {}, {hugeLong, a}, out352, "", "-", true, {}, {}},
        {"stopped, output with a second name",
         {},
         {huge},
         linked,
         "",
         linkedBytes,
         true,
         {},
         otherName},
        {"stopped, input named right to left",
         {},
         {oddName},
         PathOf(L"out.mpg"),
         "",
         "-",
         true,
         L"\uFFFDgpm.mpg",
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(longOut);
        std::filesystem::remove(out);
        std::wstring commandLine = Quoted(c.exe.empty() ? KorvaneExePath() : c.exe);
        for (const std::wstring& input : c.inputs) {
            commandLine += L" " + Quoted(input);
        }
        running = &Start(commandLine, c.exe);
        ASSERT_TRUE(running->Started());
        ASSERT_TRUE(probe::SetText(Control(1003), c.output));
        if (c.stop) {
            StopFromTheProgressWindow(ProcessId(), Dialog(), c.itemEnds);
        }
        auto box = c.stop ? std::nullopt : JoinAndConfirm(c.whileJoining);
        if (c.message.empty()) {
            EXPECT_FALSE(box.has_value()) << Narrow(box->text);
        }
        if (c.written == "-") {
            EXPECT_FALSE(std::filesystem::exists(c.output)) << "the output is left";
        } else if (c.written != "?") {
            EXPECT_TRUE(ReadFileBytes(c.output) == c.written) << "the output differs";
        }
        if (!c.otherName.empty()) {
            EXPECT_TRUE(ReadFileBytes(c.otherName) == c.written) << "the other name differs";
        }
        if (c.message.empty()) {
            continue;
        }
        ASSERT_TRUE(box.has_value()) << "no message after the question";
        EXPECT_EQ(Narrow(box->text), c.message);
        EXPECT_EQ(box->caption, L"korvane");
        if (!c.exe.empty()) {
            EXPECT_TRUE(probe::CaptureWindow(box->hwnd, ScreenshotPath(L"korvane-cp932-box.png")));
        }
        ASSERT_TRUE(probe::Answer(*box, IDOK));
        // The dialog goes on, its list as the files were given.
        std::vector<std::wstring> listed = probe::ListEntries(Control(1002));
        std::vector<std::wstring> given = c.inputs;
        std::sort(listed.begin(), listed.end());
        std::sort(given.begin(), given.end());
        EXPECT_EQ(listed, given);
    }
    EXPECT_EQ(ReadFileBytes(longIn) + ReadFileBytes(trailer),
              PatternOf(7000, 1) + PatternOf(100, 4));
    // No join left its new file behind, however it ended.
    // The folder is read by its \\?\ path, so that the cases' folders past
    // MAX_PATH are read too.
    for (const std::wstring& left : NamesUnder(unc + m_folder.wstring(), L".korvane-")) {
        ADD_FAILURE() << Narrow(left);
    }
}

} // namespace
