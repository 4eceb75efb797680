#include <cerrno>
#include <set>

#include <gtest/gtest.h>

#include "fw/file/file_error_causes.h"
#include "fw/file/file_exception.h"
#include "tests/expected_texts.h"

namespace {

using C = CFileException;

TEST(WindowsErrorCauses, CodesTheJoinMeetsMapToTheirCauses) {
    EXPECT_EQ(fw::CauseFromWindowsError(0), C::none);
    EXPECT_EQ(fw::CauseFromWindowsError(2), C::fileNotFound); // file not found
    EXPECT_EQ(fw::CauseFromWindowsError(3), C::badPath);      // path not found
    EXPECT_EQ(fw::CauseFromWindowsError(5), C::accessDenied); // access denied
    EXPECT_EQ(fw::CauseFromWindowsError(32), C::sharingViolation);
    EXPECT_EQ(fw::CauseFromWindowsError(33), C::lockViolation);
    EXPECT_EQ(fw::CauseFromWindowsError(112), C::diskFull); // disk full
    EXPECT_EQ(fw::CauseFromWindowsError(39), C::diskFull);  // handle disk full
    EXPECT_EQ(fw::CauseFromWindowsError(38), C::endOfFile);
    EXPECT_EQ(fw::CauseFromWindowsError(23), C::hardIO); // CRC error
    EXPECT_EQ(fw::CauseFromWindowsError(145), C::removeCurrentDir);
}

TEST(WindowsErrorCauses, UnlistedCodesAreGeneric) {
    // 87 is what a length query of a 4 GiB input gave with 32-bit lengths.
    for (long code : {87L, 1L, 1117L, 998L, -1L, 100000L}) {
        EXPECT_EQ(fw::CauseFromWindowsError(code), C::genericException) << code;
    }
}

TEST(WindowsErrorCauses, EveryListedCodeHasItsCauseAndNoOtherCodeHasOne) {
    std::set<long> listed;
    for (const auto& [cause, codes] : expected::kWindowsCodeCauses) {
        for (long code : codes) {
            EXPECT_EQ(fw::CauseFromWindowsError(code), cause) << code;
            listed.insert(code);
        }
    }
    EXPECT_EQ(listed.size(), 79u);
    std::set<long> unexpected;
    for (long code = 0; code < 20000; ++code) {
        if (listed.count(code) == 0 && fw::CauseFromWindowsError(code) != C::genericException) {
            unexpected.insert(code);
        }
    }
    EXPECT_EQ(unexpected, std::set<long>{}) << "codes with a cause of their own";
}

TEST(ErrnoCauses, ErrorsOfTheFileLayerMapToTheirCauses) {
    EXPECT_EQ(fw::CauseFromErrno(0), C::none);
    EXPECT_EQ(fw::CauseFromErrno(ENOENT), C::fileNotFound);
    for (int e : {ENOSPC, EFBIG}) {
        EXPECT_EQ(fw::CauseFromErrno(e), C::diskFull) << e;
    }
#ifdef EDQUOT
    EXPECT_EQ(fw::CauseFromErrno(EDQUOT), C::diskFull);
#endif
    EXPECT_EQ(fw::CauseFromErrno(EIO), C::hardIO);
    for (int e : {EACCES, EPERM, EROFS}) {
        EXPECT_EQ(fw::CauseFromErrno(e), C::accessDenied) << e;
    }
    for (int e : {EMFILE, ENFILE}) {
        EXPECT_EQ(fw::CauseFromErrno(e), C::tooManyOpenFiles) << e;
    }
    for (int e : {ENOTDIR, ENAMETOOLONG, ELOOP}) {
        EXPECT_EQ(fw::CauseFromErrno(e), C::badPath) << e;
    }
    // What flock reports when another process holds the file.
    EXPECT_EQ(fw::CauseFromErrno(EWOULDBLOCK), C::sharingViolation);
}

TEST(ErrnoCauses, UnlistedErrorsAreGeneric) {
    for (int e : {EINVAL, EINTR, EXDEV, -1, 100000}) {
        EXPECT_EQ(fw::CauseFromErrno(e), C::genericException) << e;
    }
}

} // namespace
