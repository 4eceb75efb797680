#include <set>
#include <string>

#include <gtest/gtest.h>

#include "fw/ui/file_error_report.h"
#include "tests/expected_texts.h"

namespace {

std::string Report(int cause, const std::string& name) {
    return fw::FileErrorReportText(CFileException(cause, 0, name));
}

TEST(FileErrorReport, NamesTheFile) {
    EXPECT_EQ(Report(CFileException::fileNotFound, "/clips/a.mpg"),
              "/clips/a.mpg が見つかりませんでした。");
    EXPECT_EQ(Report(CFileException::hardIO, "C:\\clips\\a.mpg"),
              "C:\\clips\\a.mpg へのｱｸｾｽ中にﾊｰﾄﾞｳｪｱ I/O ｴﾗｰが報告されました。");
    EXPECT_EQ(Report(CFileException::tooManyOpenFiles, "b.mpg"),
              "開いているﾌｧｲﾙが多すぎるため、b.mpg を開けませんでした。");
    EXPECT_EQ(Report(CFileException::diskFull, "出力.mpg"),
              "出力.mpg へのｱｸｾｽ中にﾃﾞｨｽｸがいっぱいになりました。");
}

TEST(FileErrorReport, UsesUntitledOnlyWhereNoNameIsKnown) {
    EXPECT_EQ(Report(CFileException::accessDenied, ""), "無題のﾌｧｲﾙ へのｱｸｾｽは拒否されました。");
    EXPECT_EQ(Report(CFileException::none, "a.mpg"), "ｴﾗｰはありませんでした。");
}

TEST(FileErrorReport, NameIsInsertedAsItIs) {
    // A name holding %1 or % must not be expanded again.
    EXPECT_EQ(Report(CFileException::badSeek, "%1%.mpg"), "%1%.mpg のｼｰｸに失敗しました。");
}

TEST(FileErrorReport, UnknownCauseGetsTheGenericText) {
    const std::string generic = "x へのｱｸｾｽ中に不明なｴﾗｰが発生しました。";
    EXPECT_EQ(Report(CFileException::genericException, "x"), generic);
    EXPECT_EQ(Report(15, "x"), generic);
    EXPECT_EQ(Report(-1, "x"), generic);
}

TEST(FileErrorReport, EveryCauseHasItsOwnText) {
    std::set<std::string> texts;
    for (int cause = 0; cause <= 14; ++cause) {
        texts.insert(Report(cause, "f"));
    }
    EXPECT_EQ(texts.size(), 15u);
}

TEST(FileErrorReport, EveryCauseReadsAsExpected) {
    for (int cause = 0; cause < 15; ++cause) {
        EXPECT_EQ(Report(cause, "x.mpg"), expected::Report(cause, "x.mpg")) << cause;
        EXPECT_EQ(Report(cause, ""), expected::Report(cause, expected::kUntitled)) << cause;
    }
}

} // namespace
