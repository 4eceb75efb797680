// A join's progress and its stop, through the dialog on the in-memory
// backend, which runs the copy in lock step with its progress window.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "app_fixture.h"
#include "fw/ui/message_box_style.h"
#include "join/join_messages.h"
#include "tests/expected_texts.h"

using fw::mem::CursorCall;
using fw::mem::DialogPeer;
using fw::mem::ProgressRun;

TEST_F(AppTest, CancelInTheSecondInputKeepsTheOldOutputAndLeavesTheDialogAsItWas) {
    constexpr std::size_t kMiB = 1024 * 1024;
    const std::string a = MakeFile("a.mpg", 6 * kMiB, 1);
    const std::string b = MakeFile("b.mpg", 9 * kMiB + 7, 2);
    const std::string c = MakeFile("c.mpg", 6 * kMiB, 3);
    const std::string inputs = ReadAll(a) + ReadAll(b) + ReadAll(c);
    const std::string output = InRoot("joined.mpg");
    const std::string old = ReadAll(MakeFile("joined.mpg", 100, 4)); // kept by the stopped join

    int itemAtCancel = -1;
    std::uint64_t doneAtCancel = 0;
    backend.onProgress = [&](const ProgressRun& run) {
        if (itemAtCancel != -1 || run.done < 6 * kMiB + 3 * kMiB)
            return false;
        itemAtCancel = run.item;
        doneAtCancel = run.done;
        // The dialog takes no input while the join runs.
        backend.current->SetEditText(IDC_OUTPUT, InRoot("elsewhere.mpg"));
        return true;
    };
    std::vector<std::string> listBefore, listAfter;
    std::string fieldAfter;
    std::string outputAfterCancel;
    Run({a, b, c}, [&](DialogPeer& dlg) {
        dlg.SetEditText(IDC_OUTPUT, output);
        listBefore = dlg.List(IDC_FILES).Entries();
        dlg.PressEnter();
        outputAfterCancel = ReadAll(output);
        listAfter = dlg.List(IDC_FILES).Entries();
        fieldAfter = dlg.EditField(IDC_OUTPUT).GetText();
        // Ready to join again: this time to the end.
        backend.onProgress = {};
        if (!dlg.Ended())
            dlg.PressEnter();
    });

    EXPECT_EQ(itemAtCancel, 1);
    EXPECT_LT(doneAtCancel, 6 * kMiB + 9 * kMiB);
    EXPECT_EQ(outputAfterCancel, old);
    EXPECT_EQ(ReadAll(a) + ReadAll(b) + ReadAll(c), inputs);
    EXPECT_EQ(listAfter, listBefore);
    EXPECT_EQ(fieldAfter, output);

    // The stopped join showed only its question; the second one completed.
    ASSERT_EQ(backend.messages.size(), 3U);
    EXPECT_EQ(backend.messages[0].text, join_messages::kConfirmJoin);
    EXPECT_EQ(backend.messages[1].text, join_messages::kConfirmJoin);
    EXPECT_EQ(backend.messages[2].text, join_messages::kJoinComplete);
    EXPECT_EQ(backend.cursorCalls, (std::vector<CursorCall>{CursorCall::Begin, CursorCall::End,
                                                            CursorCall::Begin, CursorCall::End}));
    EXPECT_EQ(ReadAll(output), ReadAll(a) + ReadAll(b).substr(5000) + ReadAll(c).substr(5000));

    // Both copies ran under the cursor, with the window's texts and the
    // whole join's size, counted in steps.
    ASSERT_EQ(backend.progressRuns.size(), 2U);
    const std::uint64_t total = 6 * kMiB + (9 * kMiB + 7 - 5000) + (6 * kMiB - 5000);
    for (const ProgressRun& run : backend.progressRuns) {
        EXPECT_TRUE(run.ownedByDialog);
        EXPECT_EQ(run.waitCursorDepth, 1);
        EXPECT_EQ(run.caption, "korvane");
        EXPECT_EQ(run.texts.heading, "ファイルを結合しています…");
        EXPECT_EQ(run.texts.cancel, "キャンセル");
        EXPECT_EQ(run.texts.finishing, expected::kFinishingWrite);
        EXPECT_EQ(run.texts.items, listBefore);
        EXPECT_EQ(run.total, total);
    }
    EXPECT_TRUE(backend.progressRuns[0].cancelRequested);
    // Only the join that got to its flush said it was finishing.
    EXPECT_FALSE(backend.progressRuns[0].finishing);
    EXPECT_TRUE(backend.progressRuns[1].finishing);
    EXPECT_EQ(backend.progressRuns[1].done, total);
    EXPECT_EQ(backend.progressRuns[1].item, 2);
    EXPECT_GT(backend.progressRuns[1].reports, 3);
    // The window showed each report, from the first on.
    EXPECT_EQ(backend.progressRuns[1].shows, backend.progressRuns[1].reports);
}

TEST_F(AppTest, AnOutputThatCannotBeEmptiedNorRemovedAfterCancelIsReported) {
    const std::string a = MakeFile("a.mpg", 9 * 1024 * 1024, 1);
    const std::string output = InRoot("joined.mpg");
    backend.onProgress = [](const ProgressRun&) { return true; };
#ifndef _WIN32
    // Only a new file with a hidden name can keep data: one without a name
    // (O_TMPFILE) goes with the process.
    file_faults::Inject(file_faults::FileOp::anonymousFile, EOPNOTSUPP);
#endif
    file_faults::Inject(file_faults::FileOp::truncate, EIO);
    file_faults::Inject(file_faults::FileOp::remove, EBUSY);
    Run({a}, [&](DialogPeer& dlg) {
        dlg.SetEditText(IDC_OUTPUT, output);
        dlg.PressEnter();
    });
    ASSERT_EQ(backend.messages.size(), 2U);
    EXPECT_EQ(backend.messages[1].style, fw::kMbStop);
    EXPECT_EQ(backend.messages[1].text, expected::StoppedWithPartialOutput(output));
    EXPECT_EQ(backend.messages[1].waitCursorDepth, 0);
    // The data stays in the new file, under its hidden name beside the output.
    bool dataLeft = false;
    for (const auto& entry : std::filesystem::directory_iterator(InRoot("")))
        dataLeft |= entry.path() != a && entry.is_regular_file() && entry.file_size() > 0;
    EXPECT_TRUE(dataLeft);
}
