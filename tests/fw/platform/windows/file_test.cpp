// The Win32 file layer against the real file system (under Wine in CI).
#include <windows.h>

#include <aclapi.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "fw/file/file.h"
#include "fw/platform/file_system.h"
#include "fw/platform/windows/unique_handle.h"
#include "tests/fw/file/file_faults.h"
#include "tests/fw/temp_folder.h"

namespace {

// A handle of our own on a file, held the way another program would.
fw::windows::UniqueHandle OpenAsOther(const std::string& path, DWORD access, DWORD share) {
    return fw::windows::UniqueHandle(CreateFileA(path.c_str(), access, share, nullptr,
                                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// The names in folder, sorted.
std::vector<std::string> NamesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The access list of the file at path, as text.
std::string AccessListOf(const std::string& path) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    char* text = nullptr;
    std::string list;
    if (GetNamedSecurityInfoA(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                              nullptr, nullptr, nullptr, &descriptor) == 0 &&
        ConvertSecurityDescriptorToStringSecurityDescriptorA(
            descriptor, 1, DACL_SECURITY_INFORMATION, &text, nullptr)) {
        list = text;
    }
    LocalFree(text);
    LocalFree(descriptor);
    return list;
}

constexpr unsigned kReadExclusive = CFile::modeRead | CFile::shareExclusive;
constexpr unsigned kCreateExclusive = CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive;

class Win32FileTest : public ::testing::Test {
protected:
    void TearDown() override { file_faults::Clear(); }
    TempFolder m_folder;
};

TEST_F(Win32FileTest, OpenFailuresCarryTheCauseOfTheSystemError) {
    CFileException error(CFileException::none, 0, "");
    CFile file;

    const std::string missing = m_folder / "missing.mpg";
    EXPECT_FALSE(file.Open(missing, kReadExclusive, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    EXPECT_EQ(error.m_lOsError, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(error.m_strFileName, missing);
    EXPECT_FALSE(file.IsOpen());

    // A path through a folder that does not exist is a bad path, for reading
    // and for creating alike.
    const std::string inMissingFolder = m_folder / "no-such-folder\\clip.mpg";
    EXPECT_FALSE(file.Open(inMissingFolder, kReadExclusive, &error));
    EXPECT_EQ(error.m_cause, CFileException::badPath);
    EXPECT_EQ(error.m_lOsError, ERROR_PATH_NOT_FOUND);
    EXPECT_FALSE(file.Open(inMissingFolder, kCreateExclusive, &error));
    EXPECT_EQ(error.m_cause, CFileException::badPath);

    // A folder is no input.
    EXPECT_FALSE(file.Open(m_folder.Path().string(), kReadExclusive, &error));
    EXPECT_EQ(error.m_cause, CFileException::accessDenied);
    EXPECT_FALSE(file.IsOpen());
}

TEST_F(Win32FileTest, DevicesAreRefusedAsInputsButTakeOutput) {
    CFile file;
    CFileException error(CFileException::none, 0, "");
    EXPECT_FALSE(file.Open("NUL", kReadExclusive, &error));
    EXPECT_EQ(error.m_cause, CFileException::accessDenied);

    ASSERT_TRUE(file.Open("NUL", kCreateExclusive));
    file.Write("abc", 3);
    EXPECT_NO_THROW(file.Flush()); // nothing to flush on the null device
    EXPECT_NO_THROW(file.Close());
}

TEST_F(Win32FileTest, ExclusiveOpenShutsOutEveryOtherOpener) {
    const std::string path = m_folder / "held.mpg";
    WriteBytes(path, PatternBytes(6000, 1));

    CFile input;
    ASSERT_TRUE(input.Open(path, kReadExclusive));
    CFile second;
    CFileException error(CFileException::none, 0, "");
    EXPECT_FALSE(second.Open(path, kReadExclusive, &error));
    EXPECT_EQ(error.m_cause, CFileException::sharingViolation);
    EXPECT_EQ(error.m_lOsError, ERROR_SHARING_VIOLATION);
    EXPECT_FALSE(OpenAsOther(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE));
    input.Close();
    EXPECT_TRUE(second.Open(path, kReadExclusive));
}

TEST_F(Win32FileTest, CreatingOverAFileAnotherHoldsLeavesItIntact) {
    const std::string path = m_folder / "busy.mpg";
    const std::string bytes = PatternBytes(7000, 2);
    WriteBytes(path, bytes);
    {
        const auto other = OpenAsOther(path, GENERIC_READ, 0);
        ASSERT_TRUE(other);
        CFile output;
        CFileException error(CFileException::none, 0, "");
        EXPECT_FALSE(output.Open(path, kCreateExclusive, &error));
        EXPECT_EQ(error.m_cause, CFileException::sharingViolation);
    }
    EXPECT_EQ(ReadBytes(path), bytes);
}

// The new file is written beside the old one, which keeps its bytes until
// Close or Abort puts the new one in place, with the old one's attributes
// and access list. Where a step of that fails, Close throws and the old file
// stays; Discard puts nothing in place. No new file is left either way.
TEST_F(Win32FileTest, CreatedOutputReplacesTheOldFileOnlyWhenPutInPlace) {
    using file_faults::FileOp;
    const std::string path = m_folder / "out.mpg";
    const std::string old = PatternBytes(9000, 3);
    const std::string bytes = PatternBytes(5001, 4);
    enum End { close, abort, discard };
    const struct {
        End end;
        std::optional<FileOp> fault;
        int skip;
    } rows[] = {
        {close, {}, 0},
        {abort, {}, 0},
        {discard, {}, 0},
        {discard, FileOp::disposition, 0}, // removed by name
        {close, FileOp::flush, 0},
        {close, FileOp::attributes, 0},
        {close, FileOp::permissions, 0},
        {close, FileOp::disposition, 1},
        {close, FileOp::close, 0}, // the hold on the old file
        {close, FileOp::rename, 0},
    };
    // Only users and the system, not inherited (Wine: no access for others).
    PSECURITY_DESCRIPTOR ownList = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;;FA;;;SY)(A;;FA;;;BU)",
                                                                     1, &ownList, nullptr));
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "row " << &row - rows);
        WriteBytes(path, old);
        ASSERT_TRUE(SetFileSecurityA(path.c_str(), DACL_SECURITY_INFORMATION, ownList));
        const std::string oldList = AccessListOf(path);
        ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
        if (row.fault) {
            file_faults::Inject(*row.fault, ERROR_WRITE_FAULT, row.skip);
        }
        CFile output;
        ASSERT_TRUE(output.Open(path, kCreateExclusive));
        EXPECT_EQ(output.GetLength(), 0u);
        output.Write(bytes.data(), bytes.size());
        const std::vector<std::string> during = NamesIn(m_folder.Path());
        ASSERT_EQ(during.size(), 2u);
        EXPECT_TRUE(during[0].starts_with(".korvane-") && during[0].ends_with(".tmp"));
        EXPECT_EQ(std::filesystem::file_size(path), old.size());
        const bool fails = row.fault.has_value() && row.end == close;
        if (fails) {
            EXPECT_THROW(output.Close(), CFileException);
        } else if (row.end == close) {
            output.Close();
        } else if (row.end == abort) {
            output.Abort();
        } else {
            EXPECT_TRUE(output.Discard());
        }
        EXPECT_FALSE(output.IsOpen());
        EXPECT_EQ(NamesIn(m_folder.Path()), std::vector<std::string>{"out.mpg"});
        EXPECT_NE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
        EXPECT_EQ(AccessListOf(path), oldList);
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(ReadBytes(path), row.end == discard || fails ? old : bytes);
    }
    LocalFree(ownList);

    // Refused before anything is made: a read-only file, a name that
    // cannot be made, a folder that takes no new file.
    CFileException error;
    CFile output;
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(output.Open(path, kCreateExclusive, &error));
    EXPECT_EQ(error.m_cause, CFileException::accessDenied);
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_FALSE(output.Open(m_folder / "a<b.mpg", kCreateExclusive, &error));
    EXPECT_EQ(error.m_cause, CFileException::badPath);
    file_faults::Inject(FileOp::open, ERROR_ACCESS_DENIED, 1);
    EXPECT_FALSE(output.Open(path, kCreateExclusive, &error));
    EXPECT_EQ(NamesIn(m_folder.Path()), std::vector<std::string>{"out.mpg"});

    // Without the delete mark, a new file that cannot be removed is told.
    file_faults::Inject(FileOp::disposition, ERROR_INVALID_FUNCTION);
    ASSERT_TRUE(output.Open(path, kCreateExclusive));
    file_faults::Inject(FileOp::remove, ERROR_ACCESS_DENIED);
    EXPECT_FALSE(output.Discard());
}

TEST_F(Win32FileTest, ReadsAnInputOf5001BytesToItsEnd) {
    const std::string path = m_folder / "small.mpg";
    const std::string bytes = PatternBytes(5001, 5);
    WriteBytes(path, bytes);

    CFile input;
    ASSERT_TRUE(input.Open(path, kReadExclusive));
    EXPECT_EQ(input.GetLength(), 5001u);
    char buffer[1000];
    for (int i = 0; i < 5; ++i) {
        ASSERT_EQ(input.Read(buffer, sizeof buffer), sizeof buffer);
    }
    char rest[1024];
    ASSERT_EQ(input.Read(rest, sizeof rest), 1u);
    EXPECT_EQ(rest[0], bytes[5000]);
    EXPECT_EQ(input.Read(rest, sizeof rest), 0u);
}

TEST_F(Win32FileTest, FailuresAfterOpeningThrowWithCauseAndName) {
    const std::string path = m_folder / "faulty.mpg";
    WriteBytes(path, PatternBytes(6000, 6));
    CFile input;
    ASSERT_TRUE(input.Open(path, kReadExclusive));

    char buffer[16];
    file_faults::Inject(file_faults::FileOp::read, ERROR_CRC);
    try {
        input.Read(buffer, sizeof buffer);
        FAIL() << "read did not throw";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::hardIO);
        EXPECT_EQ(e.m_lOsError, ERROR_CRC);
        EXPECT_EQ(e.m_strFileName, path);
    }

    file_faults::Inject(file_faults::FileOp::length, ERROR_INVALID_PARAMETER);
    try {
        input.GetLength();
        FAIL() << "length did not throw";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::genericException);
    }

    // A close that fails still closes.
    file_faults::Inject(file_faults::FileOp::close, ERROR_LOCK_VIOLATION);
    EXPECT_THROW(input.Close(), CFileException);
    EXPECT_FALSE(input.IsOpen());
    CFile again;
    EXPECT_TRUE(again.Open(path, kReadExclusive));
}

TEST_F(Win32FileTest, WriteFailureNamesTheOutput) {
    const std::string path = m_folder / "full.mpg";
    CFile output;
    ASSERT_TRUE(output.Open(path, kCreateExclusive));
    file_faults::Inject(file_faults::FileOp::write, ERROR_DISK_FULL, 1);
    output.Write("a", 1);
    try {
        output.Write("b", 1);
        FAIL() << "write did not throw";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::diskFull);
        EXPECT_EQ(e.m_strFileName, path);
    }
}

TEST_F(Win32FileTest, OperationsOnAClosedFileThrow) {
    CFile file;
    char buffer[4];
    EXPECT_THROW(file.Read(buffer, sizeof buffer), CFileException);
    EXPECT_THROW(file.Write(buffer, sizeof buffer), CFileException);
    EXPECT_THROW(file.GetLength(), CFileException);
    EXPECT_NO_THROW(file.Close());
}

TEST_F(Win32FileTest, SameFileIsFoundThroughOtherSpellings) {
    const std::string path = m_folder / "Clip01.mpg";
    const std::string other = m_folder / "clip02.mpg";
    WriteBytes(path, PatternBytes(6000, 8));
    WriteBytes(other, PatternBytes(6000, 8));

    std::string upper = path;
    for (char& c : upper) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    const std::string dotted = m_folder / ".\\Clip01.mpg";
    EXPECT_TRUE(fw::IsSameExistingFile(path, path));
    EXPECT_TRUE(fw::IsSameExistingFile(path, upper));
    EXPECT_TRUE(fw::IsSameExistingFile(dotted, path));
    EXPECT_FALSE(fw::IsSameExistingFile(path, other)); // same bytes, other file
    EXPECT_FALSE(fw::IsSameExistingFile(path, m_folder / "missing.mpg"));

    // Still found while the output holds the file without sharing.
    CFile output;
    ASSERT_TRUE(output.Open(path, kCreateExclusive));
    EXPECT_TRUE(fw::IsSameExistingFile(upper, path));
}

} // namespace
