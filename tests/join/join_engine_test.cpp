#include <cerrno>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fw/file/file.h"
#include "fw/ui/file_error_report.h"
#include "join/join_command.h"
#include "join/join_engine.h"
#include "tests/fw/file/file_faults.h"
#include "tests/fw/temp_folder.h"
#include "tests/join/expected_messages.h"
#include "tests/join/recording_host.h"

namespace {

#ifdef _WIN32
constexpr long kIoError = 1117; // ERROR_IO_DEVICE
#else
constexpr long kIoError = EIO;
#endif

std::string OpName(const ::testing::TestParamInfo<file_faults::FileOp>& info) {
    switch (info.param) {
    case file_faults::FileOp::read:
        return "read";
    case file_faults::FileOp::length:
        return "length";
    case file_faults::FileOp::flush:
        return "flush";
    case file_faults::FileOp::close:
        return "close";
    case file_faults::FileOp::write:
        return "write";
    case file_faults::FileOp::copyRange:
        return "copyRange";
    case file_faults::FileOp::truncate:
        return "truncate";
    case file_faults::FileOp::remove:
        return "remove";
    case file_faults::FileOp::rename:
        return "rename";
    case file_faults::FileOp::folderFlush:
        return "folderFlush";
    default:
        break;
    }
    return "unknown";
}

// True when nothing holds the file any more: an exclusive open succeeds.
bool IsReleased(const std::string& path) {
    CFile probe;
    return probe.Open(path, CFile::modeRead | CFile::shareExclusive);
}

class JoinTest : public ::testing::Test {
protected:
    void SetUp() override { host.output = dir / "out.mpg"; }
    void TearDown() override { file_faults::Clear(); }

    // Writes an input of the given size and returns its path and bytes.
    std::string Input(const std::string& name, std::size_t size, std::uint32_t seed) {
        const std::string path = dir / name;
        bytes[path] = PatternBytes(size, seed);
        WriteBytes(path, bytes[path]);
        return path;
    }
    std::string Output() const { return ReadBytes(host.output); }

    TempFolder dir;
    RecordingHost host;
    std::map<std::string, std::string> bytes;
};

TEST_F(JoinTest, OneInputIsCopiedWhole) {
    const std::string a = Input("a.mpg", 300001, 1);
    host.list = {a};
    RunJoinCommand(host);
    EXPECT_EQ(host.events, Succeeded());
    EXPECT_EQ(Output(), bytes[a]);
}

TEST_F(JoinTest, LaterInputsLoseTheirFirst5000Bytes) {
    const std::string a = Input("a.mpg", 700000, 1);
    const std::string b = Input("b.mpg", 12345, 2);
    const std::string c = Input("c.mpg", 5001, 3);
    host.list = {a, b, c};
    RunJoinCommand(host);
    EXPECT_EQ(host.events, Succeeded());
    const std::string out = Output();
    ASSERT_EQ(out.size(), 700000u + 7345u + 1u);
    EXPECT_EQ(out, bytes[a] + bytes[b].substr(5000) + bytes[c].substr(5000));
    EXPECT_EQ(out.back(), bytes[c].back());
}

TEST_F(JoinTest, SamePathTwiceIsJoinedTwice) {
    const std::string a = Input("a.mpg", 20000, 1);
    host.list = {a, a};
    RunJoinCommand(host);
    EXPECT_EQ(host.events, Succeeded());
    EXPECT_EQ(Output(), bytes[a] + bytes[a].substr(5000));
}

TEST_F(JoinTest, BufferAndSliceSizesDoNotChangeTheOutput) {
    const std::string a = Input("a.mpg", 10007, 1);
    const std::string b = Input("b.mpg", 9001, 2);
    for (std::size_t size : {1u, 999u, 1024u, 4096u, 1u << 20}) {
        for (std::size_t slice : {1u, 4095u, 1u << 20}) {
            fw::SharedWorkProgress progress;
            JoinFiles({{a, b}, host.output}, progress, {size, slice});
            EXPECT_EQ(Output(), bytes[a] + bytes[b].substr(5000))
                << "buffer " << size << ", slice " << slice;
        }
    }
}

TEST_F(JoinTest, EmptyListOnlySaysSo) {
    RunJoinCommand(host);
    EXPECT_EQ(host.events, std::vector<std::string>{"info:" + expected::kNothingToJoin});
    EXPECT_FALSE(std::filesystem::exists(host.output));
}

TEST_F(JoinTest, CancelTouchesNothing) {
    const std::string a = Input("a.mpg", 20000, 1);
    host.list = {a};
    host.answers = {fw::kIdCancel};
    RunJoinCommand(host);
    EXPECT_EQ(host.events, std::vector<std::string>{kAsk});
    EXPECT_FALSE(std::filesystem::exists(host.output));

    WriteBytes(host.output, "keep me");
    host.answers = {fw::kIdCancel};
    RunJoinCommand(host);
    EXPECT_EQ(Output(), "keep me");
}

TEST_F(JoinTest, FirstInputOf5000BytesIsRefused) {
    const std::string a = Input("a.mpg", 5000, 1);
    const std::string b = Input("b.mpg", 20000, 2);
    host.list = {a, b};
    RunJoinCommand(host);
    EXPECT_EQ(host.events, (std::vector<std::string>{kAsk, "begin", "end", NotMpeg(a)}));
    EXPECT_EQ(Output(), "");
    EXPECT_TRUE(IsReleased(a));
    EXPECT_TRUE(IsReleased(host.output));
}

TEST_F(JoinTest, LaterInputOf5000BytesIsRefusedAfterTheEarlierOnes) {
    const std::string a = Input("a.mpg", 20000, 1);
    const std::string b = Input("b.mpg", 5000, 2);
    const std::string c = Input("c.mpg", 20000, 3);
    host.list = {a, b, c};
    RunJoinCommand(host);
    EXPECT_EQ(host.events, (std::vector<std::string>{kAsk, "begin", "end", NotMpeg(b)}));
    EXPECT_EQ(Output(), bytes[a]);
}

TEST_F(JoinTest, MissingThirdInputKeepsTheFirstTwo) {
    const std::string a = Input("a.mpg", 30000, 1);
    const std::string b = Input("b.mpg", 30000, 2);
    const std::string c = dir / "missing.mpg";
    host.list = {a, b, c};
    RunJoinCommand(host);
    EXPECT_EQ(host.events, (std::vector<std::string>{kAsk, "begin", "end", CannotOpen(c)}));
    EXPECT_EQ(Output(), bytes[a] + bytes[b].substr(5000));
    EXPECT_TRUE(IsReleased(host.output));
}

TEST_F(JoinTest, EmptyEntryCannotBeOpened) {
    const std::string a = Input("a.mpg", 30000, 1);
    host.list = {a, ""};
    RunJoinCommand(host);
    EXPECT_EQ(host.events, (std::vector<std::string>{kAsk, "begin", "end", CannotOpen("")}));
    EXPECT_EQ(Output(), bytes[a]);
}

TEST_F(JoinTest, ExistingOutputIsReplaced) {
    const std::string a = Input("a.mpg", 6000, 1);
    WriteBytes(host.output, PatternBytes(100000, 9));
    host.list = {a};
    RunJoinCommand(host);
    EXPECT_EQ(host.events, Succeeded());
    EXPECT_EQ(Output(), bytes[a]);
}

TEST_F(JoinTest, SecondJoinRewritesFromTheStart) {
    const std::string a = Input("a.mpg", 40000, 1);
    const std::string b = Input("b.mpg", 8000, 2);
    host.list = {a, b};
    RunJoinCommand(host);
    host.list = {b, a};
    RunJoinCommand(host);
    EXPECT_EQ(Output(), bytes[b] + bytes[a].substr(5000));
}

TEST_F(JoinTest, ListIsReadOnceWhenTheJoinStarts) {
    const std::string a = Input("a.mpg", 9000, 1);
    const std::string b = Input("b.mpg", 9000, 2);
    host.list = {a, b};
    // The list loses its second entry once the copy is under way.
    host.beforeWork = [](RecordingHost& h) { h.list.resize(1); };
    RunJoinCommand(host);
    EXPECT_EQ(host.events, Succeeded());
    EXPECT_EQ(Output(), bytes[a] + bytes[b].substr(5000));
}

TEST_F(JoinTest, OutputNamingAnInputIsRefusedBeforeAnythingIsTouched) {
    const std::string a = Input("a.mpg", 9000, 1);
    const std::string b = Input("b.mpg", 9000, 2);
    const std::string link = dir / "hard.mpg";
    std::filesystem::create_hard_link(b, link);
    for (const std::string& output : {b, link}) {
        host.events.clear();
        host.list = {a, b};
        host.output = output;
        RunJoinCommand(host);
        EXPECT_EQ(host.events,
                  (std::vector<std::string>{kAsk, "begin", OutputIsInput(output), "end"}));
        EXPECT_EQ(ReadBytes(a), bytes[a]);
        EXPECT_EQ(ReadBytes(b), bytes[b]);
    }
}

TEST_F(JoinTest, OutputInMissingFolderCannotBeCreated) {
    const std::string a = Input("a.mpg", 9000, 1);
    host.list = {a};
    host.output = dir / "no-such-folder/out.mpg";
    RunJoinCommand(host);
    EXPECT_EQ(host.events,
              (std::vector<std::string>{kAsk, "begin", CannotCreate(host.output), "end"}));
}

TEST_F(JoinTest, InputHeldElsewhereCannotBeOpened) {
    const std::string a = Input("a.mpg", 9000, 1);
    const std::string b = Input("b.mpg", 9000, 2);
    CFile holder;
    ASSERT_TRUE(holder.Open(b, CFile::modeRead | CFile::shareExclusive));
    host.list = {a, b};
    RunJoinCommand(host);
    EXPECT_EQ(host.events, (std::vector<std::string>{kAsk, "begin", "end", CannotOpen(b)}));
    EXPECT_EQ(Output(), bytes[a]);
}

TEST_F(JoinTest, OutputHeldElsewhereIsNeitherCreatedNorEmptied) {
    const std::string a = Input("a.mpg", 9000, 1);
    WriteBytes(host.output, "held elsewhere");
    CFile holder;
    ASSERT_TRUE(holder.Open(host.output, CFile::modeRead | CFile::shareExclusive));
    host.list = {a};
    RunJoinCommand(host);
    EXPECT_EQ(host.events,
              (std::vector<std::string>{kAsk, "begin", CannotCreate(host.output), "end"}));
    holder.Close(); // where holding admits no reader at all
    EXPECT_EQ(Output(), "held elsewhere");
}

TEST_F(JoinTest, FailedWriteKeepsThePartialOutput) {
    const std::string a = Input("a.mpg", 3 * kJoinCopyBufferSize, 1);
    host.list = {a};
    file_faults::Inject(file_faults::FileOp::write, kIoError, 1);
    RunJoinCommand(host);
    EXPECT_EQ(host.events,
              (std::vector<std::string>{kAsk, "begin", "end", WriteError(host.output)}));
    EXPECT_EQ(Output(), bytes[a].substr(0, kJoinCopyBufferSize));
    EXPECT_TRUE(IsReleased(a));
    EXPECT_TRUE(IsReleased(host.output));
}

// A failed flush or close of the output, or of putting it in place, must
// never be reported as success.
class JoinFinishFailureTest : public JoinTest,
                              public ::testing::WithParamInterface<file_faults::FileOp> {};

TEST_P(JoinFinishFailureTest, IsReportedAsWriteError) {
    const std::string a = Input("a.mpg", 9000, 1);
    const std::string b = Input("b.mpg", 9000, 2);
    host.list = {a, b};
    WriteBytes(host.output, "old"); // still there, held by nobody, where renaming failed
    // Inputs are closed too; skip their close so the output's fails.
    file_faults::Inject(GetParam(), kIoError, GetParam() == file_faults::FileOp::close ? 2 : 0);
    RunJoinCommand(host);
    EXPECT_EQ(host.events,
              (std::vector<std::string>{kAsk, "begin", "end", WriteError(host.output)}));
    EXPECT_TRUE(IsReleased(host.output));
}

#ifdef _WIN32
const auto kFinishSteps = ::testing::Values(file_faults::FileOp::flush, file_faults::FileOp::close);
#else
const auto kFinishSteps =
    ::testing::Values(file_faults::FileOp::flush, file_faults::FileOp::close,
                      file_faults::FileOp::rename, file_faults::FileOp::folderFlush);
#endif
INSTANTIATE_TEST_SUITE_P(FlushAndClose, JoinFinishFailureTest, kFinishSteps, OpName);

// A failed read or length query of an input leaves the join for the general
// error report, which names the input; the cursor is ended and both files
// are closed on the way out.
class JoinEscapingFailureTest : public JoinTest,
                                public ::testing::WithParamInterface<file_faults::FileOp> {};

TEST_P(JoinEscapingFailureTest, EscapesNamingTheInput) {
    const std::string a = Input("a.mpg", 3 * kJoinCopyBufferSize, 1);
    const std::string b = Input("b.mpg", 9000, 2);
    host.list = {a, b};
    // Fails the second input's length query, or the first input's second read.
    file_faults::Inject(GetParam(), kIoError, 1);
    const std::string failing = GetParam() == file_faults::FileOp::length ? b : a;
    try {
        RunJoinCommand(host);
        FAIL() << "no file error escaped";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_strFileName, failing);
        EXPECT_EQ(e.m_lOsError, kIoError);
        EXPECT_NE(fw::FileErrorReportText(e).find(failing), std::string::npos);
    }
    EXPECT_EQ(host.events, (std::vector<std::string>{kAsk, "begin", "end"}));
    EXPECT_TRUE(IsReleased(a));
    EXPECT_TRUE(IsReleased(b));
    EXPECT_TRUE(IsReleased(host.output));
    if (GetParam() == file_faults::FileOp::read) {
        EXPECT_EQ(Output(), bytes[a].substr(0, kJoinCopyBufferSize));
    } else {
        EXPECT_EQ(Output(), bytes[a]);
    }
}

INSTANTIATE_TEST_SUITE_P(ReadAndLength, JoinEscapingFailureTest,
                         ::testing::Values(file_faults::FileOp::read, file_faults::FileOp::length),
                         OpName);

} // namespace
