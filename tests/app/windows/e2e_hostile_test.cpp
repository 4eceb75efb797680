// korvane.exe under hostile conditions, one case per start: paths longer
// than MAX_PATH (plain and "\\?\"), an output that is a FIFO (a pipe, under
// Wine), the null device, and Windows before 10 version 1903, which runs
// the program in the ANSI code page 932 whatever its manifest says. Each
// case ends with its message and the dialog alive. This suite runs with
// LC_ALL=ja_JP.UTF-8, which gives Wine processes the active code page 932.
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/app/windows/e2e_fixture.h"

namespace {

const std::wstring kDone = L"結合が完了しました。";

std::wstring CannotCreate(const std::wstring& output) {
    return L"保存先のファイル「" + output + L"」を作成することが出来ませんでした。";
}

// A copy of korvane.exe (named korvane.exe, in folder) whose manifest no
// longer asks for the UTF-8 code page, as such a Windows ignores it.
std::wstring WithoutUtf8CodePage(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    const std::wstring copy = (folder / L"korvane.exe").wstring();
    HMODULE module = LoadLibraryExW(KorvaneExePath().c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (module == nullptr) {
        return {};
    }
    WORD language = 0;
    EnumResourceLanguagesW(
        module, RT_MANIFEST, MAKEINTRESOURCEW(1),
        [](HMODULE, LPCWSTR, LPCWSTR, WORD found, LONG_PTR param) -> BOOL {
            *reinterpret_cast<WORD*>(param) = found;
            return FALSE;
        },
        reinterpret_cast<LONG_PTR>(&language));
    HRSRC found = FindResourceExW(module, RT_MANIFEST, MAKEINTRESOURCEW(1), language);
    std::string manifest;
    if (found != nullptr) {
        const auto* data = static_cast<const char*>(LockResource(LoadResource(module, found)));
        manifest.assign(data, SizeofResource(module, found));
    }
    FreeLibrary(module);
    const std::string end = "</activeCodePage>";
    const std::size_t from = manifest.find("<activeCodePage");
    const std::size_t to = manifest.find(end);
    if (from == std::string::npos || to == std::string::npos ||
        !CopyFileW(KorvaneExePath().c_str(), copy.c_str(), FALSE)) {
        return {};
    }
    manifest.erase(from, to + end.size() - from);
    HANDLE update = BeginUpdateResourceW(copy.c_str(), FALSE);
    const bool updated = update != nullptr &&
                         UpdateResourceW(update, RT_MANIFEST, MAKEINTRESOURCEW(1), language,
                                         manifest.data(), static_cast<DWORD>(manifest.size())) &&
                         EndUpdateResourceW(update, FALSE);
    return updated ? copy : std::wstring();
}

bool Found(const std::wstring& path) {
    // A FIFO is found by a directory search only.
    WIN32_FIND_DATAW data{};
    HANDLE search = FindFirstFileW(path.c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) {
        return false;
    }
    FindClose(search);
    return true;
}

// Runs a host program through Wine on the host path of path; true once
// path exists (or no longer does) as wanted. Wine cannot wait for a host
// program itself.
bool RunOnHost(const std::wstring& program, const std::wstring& path, bool wanted) {
    using UnixName = char*(CDECL*)(LPCWSTR);
    const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    char* name = unixName != nullptr ? unixName(path.c_str()) : nullptr;
    if (name == nullptr) {
        return false;
    }
    std::wstring command = program + L" \"";
    for (const char* c = name; *c != '\0'; ++c) {
        command += static_cast<wchar_t>(static_cast<unsigned char>(*c)); // ASCII here
    }
    command += L"\"";
    HeapFree(GetProcessHeap(), 0, name);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        return false;
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return probe::WaitUntil([&] { return Found(path) == wanted; });
}

// A FIFO on the host, made with mkfifo and removed with rm: Wine can
// neither make nor remove one, and a folder search meeting one never ends.
class HostFifo {
public:
    explicit HostFifo(std::wstring path) : m_path(std::move(path)) {
        m_made = RunOnHost(L"Z:\\usr\\bin\\mkfifo", m_path, true);
    }
    ~HostFifo() { RunOnHost(L"Z:\\bin\\rm", m_path, false); }
    HostFifo(const HostFifo&) = delete;
    HostFifo& operator=(const HostFifo&) = delete;
    bool Made() const { return m_made; }
    const std::wstring& Path() const { return m_path; }

private:
    std::wstring m_path;
    bool m_made = false;
};

TEST_F(KorvaneE2E, HostileConditionsEndWithTheirMessageAndTheDialogAlive) {
    ASSERT_EQ(GetACP(), 932u) << "LC_ALL=ja_JP.UTF-8 did not give the code page 932";
    const std::wstring a = MakeFile(L"a.mpg", 6000, 1);
    // Paths of 319 characters: a folder deeper than MAX_PATH allows.
    std::wstring deep = L"deep";
    while (PathOf(deep).size() < 250) {
        deep += L"\\" + std::wstring(40, L'd');
    }
    const std::size_t room = 319 - PathOf(deep).size() - 1;
    const std::wstring longIn =
        MakeFile(deep + L"\\" + std::wstring(room - 4, L'i') + L".mpg", 7000, 2);
    const std::wstring longOut = PathOf(deep + L"\\" + std::wstring(room - 4, L'o') + L".mpg");
    ASSERT_EQ(longIn.size(), 319u);
    const HostFifo hostFifo(PathOf(L"fifo.mpg"));
    ASSERT_TRUE(hostFifo.Made()) << "cannot make a FIFO with the host's mkfifo";
    const std::wstring& fifo = hostFifo.Path();
    const std::wstring cp932 = WithoutUtf8CodePage(m_folder / L"cp932");
    ASSERT_FALSE(cp932.empty()) << "cannot make the copy without the UTF-8 code page";
    const std::wstring movie = MakeFile(L"動画・ソ表.mpg", 6500, 3);
    const std::wstring shortClip = MakeFile(L"短い予告.mpg", 100, 4);
    const std::string joined = Joined({PatternOf(6000, 1), PatternOf(7000, 2)}); // a sorts first

    struct Case {
        const char* name;
        std::wstring exe;
        std::vector<std::wstring> inputs;
        std::wstring output;
        std::wstring message;
        std::string written; // in the output afterwards; "-": not checked
    };
    const std::vector<Case> cases = {
        {"319 characters", {}, {longIn, a}, longOut, kDone, joined},
        {"319 characters as \\\\?\\",
         {},
         {L"\\\\?\\" + longIn, a},
         L"\\\\?\\" + longOut,
         kDone,
         joined},
        {"FIFO", {}, {a}, fifo, CannotCreate(fifo), "-"},
        {"null device", {}, {a}, L"NUL", kDone, "-"},
        {"code page 932",
         cp932,
         {movie, shortClip},
         PathOf(L"結合.mpg"),
         L"「" + shortClip + L"」はMPEGファイルでは無い可能性があります。",
         "-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(longOut);
        std::wstring commandLine = Quoted(c.exe.empty() ? KorvaneExePath() : c.exe);
        for (const std::wstring& input : c.inputs) {
            commandLine += L" " + Quoted(input);
        }
        ASSERT_TRUE(Start(commandLine, c.exe).Started());
        std::vector<std::wstring> listed = probe::ListEntries(Control(1002));
        std::vector<std::wstring> given = c.inputs;
        std::sort(listed.begin(), listed.end());
        std::sort(given.begin(), given.end());
        EXPECT_EQ(listed, given);
        ASSERT_TRUE(probe::SetText(Control(1003), c.output));
        auto box = JoinAndConfirm();
        ASSERT_TRUE(box.has_value()) << "no message after the question";
        EXPECT_EQ(Narrow(box->text), Narrow(c.message));
        EXPECT_EQ(box->caption, L"korvane");
        if (!c.exe.empty()) {
            EXPECT_TRUE(probe::CaptureWindow(box->hwnd, ScreenshotPath(L"korvane-cp932-box.png")));
        }
        ASSERT_TRUE(probe::Answer(*box, IDOK));
        // The dialog goes on.
        EXPECT_EQ(probe::ListEntries(Control(1002)).size(), c.inputs.size());
        if (c.written != "-") {
            const std::string written = ReadFileBytes(c.output);
            EXPECT_TRUE(written == c.written) << written.size() << " bytes written";
        }
    }
    EXPECT_EQ(ReadFileBytes(longIn), PatternOf(7000, 2));
    EXPECT_EQ(ReadFileBytes(shortClip), PatternOf(100, 4));
}

} // namespace
