#include "tests/app/windows/e2e_fixture.h"
#include "tests/app/windows/expected_layout.h"
#include "tests/expected_texts.h"

#include "tests/fw/temp_folder.h"

#include <shlobj.h>

#include <fstream>
#include <iterator>

std::string Narrow(const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, bytes.data(), length, nullptr, nullptr);
    return bytes;
}

std::string PatternOf(std::size_t size, unsigned seed) {
    return PatternBytes(size, seed);
}

std::string Joined(std::initializer_list<std::string> inputs) {
    std::string out;
    bool first = true;
    for (const std::string& input : inputs) {
        out += first ? input : input.substr(5000);
        first = false;
    }
    return out;
}

std::string ReadFileBytes(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool MakeSparseFile(const std::wstring& path, std::uint64_t size) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    LARGE_INTEGER end{};
    end.QuadPart = static_cast<LONGLONG>(size);
    const bool made = file != INVALID_HANDLE_VALUE &&
                      SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    return made;
}

std::wstring DesktopDirectory() {
    wchar_t path[MAX_PATH] = {};
    SHGetSpecialFolderPathW(nullptr, path, CSIDL_DESKTOPDIRECTORY, FALSE);
    return path;
}

std::wstring ScreenshotPath(const std::wstring& name) {
    std::wstring folder = WindowsPathFromEnvironment(L"KORVANE_SCREENSHOT_DIR");
    if (folder.empty()) {
        // Beside this program, in the build tree.
        wchar_t self[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        folder = std::filesystem::path(self).parent_path().wstring();
    }
    return (std::filesystem::path(folder) / name).wstring();
}

void KorvaneE2E::SetUp() {
    ASSERT_FALSE(KorvaneExePath().empty()) << "KORVANE_EXE is not set";
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    m_folder =
        std::filesystem::temp_directory_path() /
        (std::string("korvane-e2e-") + std::to_string(GetCurrentProcessId()) + "-" + info->name());
    std::filesystem::remove_all(m_folder);
    std::filesystem::create_directories(m_folder);
}

void KorvaneE2E::TearDown() {
    m_process.reset();
    std::error_code ignored;
    std::filesystem::remove_all(m_folder, ignored);
}

std::wstring KorvaneE2E::PathOf(const std::wstring& name) const {
    return (m_folder / name).wstring();
}

std::wstring KorvaneE2E::MakeFile(const std::wstring& name, std::size_t size, unsigned seed) {
    const std::filesystem::path path = m_folder / name;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    const std::string bytes = PatternOf(size, seed);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path.wstring();
}

KorvaneProcess& KorvaneE2E::Start(const std::wstring& commandLine, const std::wstring& exe) {
    m_dialog = nullptr;
    m_process = std::make_unique<KorvaneProcess>(commandLine, exe);
    EXPECT_TRUE(m_process->Started()) << "cannot start " << Narrow(KorvaneExePath());
    return *m_process;
}

KorvaneProcess& KorvaneE2E::StartWithFiles(std::initializer_list<std::wstring> paths,
                                           const std::wstring& exe) {
    std::wstring commandLine = Quoted(exe.empty() ? KorvaneExePath() : exe);
    for (const std::wstring& path : paths) {
        commandLine += L" " + Quoted(path);
    }
    return Start(commandLine, exe);
}

HWND KorvaneE2E::Dialog() {
    if (m_dialog == nullptr && m_process != nullptr && m_process->Started()) {
        m_dialog = probe::WaitForJoinDialog(m_process->Id());
    }
    EXPECT_NE(m_dialog, nullptr) << "the join dialog did not show";
    return m_dialog;
}

std::wstring KorvaneE2E::MakeLongJoinInput(const std::wstring& name) {
    // Copying 64 GiB of holes takes far longer than any test waits.
    const std::wstring path = PathOf(name);
    return MakeSparseFile(path, 64ULL << 30) ? path : std::wstring();
}

std::optional<probe::MessageBoxView>
KorvaneE2E::JoinAndConfirm(const std::function<void(HWND progressWindow)>& whileJoining) {
    probe::Click(Dialog(), IDOK);
    auto question = probe::WaitForMessageBox(ProcessId());
    EXPECT_TRUE(question.has_value()) << "no confirmation question";
    if (!question) {
        return std::nullopt;
    }
    EXPECT_EQ(question->text, layout::Wide(expected::kConfirmJoin.c_str()));
    EXPECT_EQ(question->icon, probe::BoxIcon::question) << probe::IconName(question->icon);
    EXPECT_EQ(question->buttonIds, (std::vector<int>{IDOK, IDCANCEL}));
    EXPECT_TRUE(probe::Answer(*question, IDOK));
    if (!whileJoining) {
        return probe::WaitForMessageBox(ProcessId());
    }
    HWND progress = nullptr;
    EXPECT_TRUE(probe::WaitUntil([&] {
        progress = probe::FindProgressWindow(ProcessId()).first;
        return progress != nullptr;
    })) << "no progress window";
    whileJoining(progress);
    return probe::WaitForMessageBox(ProcessId(), 1500);
}

void KorvaneE2E::ExpectBoxAndAnswer(probe::BoxIcon icon, const std::wstring& text) {
    auto box = probe::WaitForMessageBox(ProcessId());
    ASSERT_TRUE(box.has_value()) << "no message box, expected " << Narrow(text);
    EXPECT_EQ(Narrow(box->text), Narrow(text));
    EXPECT_EQ(box->icon, icon) << probe::IconName(box->icon);
    EXPECT_EQ(box->caption, L"korvane");
    EXPECT_EQ(box->buttonIds, std::vector<int>{IDOK});
    EXPECT_TRUE(probe::Answer(*box, IDOK));
}
