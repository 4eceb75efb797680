#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "app_fixture.h"
#include "fw/ui/message_box_style.h"
#include "tests/expected_texts.h"

using fw::mem::CursorCall;
using fw::mem::DialogPeer;
using fw::mem::MessageRecord;

namespace {

std::vector<std::pair<unsigned, std::string>> Boxes(const std::vector<MessageRecord>& messages) {
    std::vector<std::pair<unsigned, std::string>> boxes;
    for (const MessageRecord& box : messages)
        boxes.emplace_back(box.style, box.text);
    return boxes;
}

} // namespace

class JoinDialogTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        a = MakeFile("a.mpg", 6000, 1);
        b = MakeFile("b.mpg", 5001, 2);
        c = MakeFile("c.mpg", 7000, 3);
        output = InRoot("joined.mpg");
    }

    std::string a, b, c, output;
};

TEST_F(JoinDialogTest, JoinsInTheListedOrderAndStaysOpen) {
    std::vector<std::string> before, after;
    bool endedAfterJoin = true;
    int depthAtQuestion = -1, depthAtCompletion = -1;
    backend.onMessageBox = [&](const MessageRecord& box) {
        if (box.text == expected::kConfirmJoin)
            depthAtQuestion = box.waitCursorDepth;
        if (box.text == expected::kJoinComplete)
            depthAtCompletion = box.waitCursorDepth;
    };
    Run({c, b, a}, [&](DialogPeer& dlg) {
        // Put c first: c, a, b.
        dlg.SelectEntry(IDC_FILES, 2);
        dlg.ClickButton(IDC_MOVE_UP);
        dlg.ClickButton(IDC_MOVE_UP);
        dlg.SetEditText(IDC_OUTPUT, output);
        before = dlg.List(IDC_FILES).Entries();
        dlg.PressEnter();
        endedAfterJoin = dlg.Ended();
        after = dlg.List(IDC_FILES).Entries();
    });
    EXPECT_EQ(before, (std::vector<std::string>{c, a, b}));
    EXPECT_FALSE(endedAfterJoin);
    EXPECT_EQ(after, before);
    EXPECT_EQ(Boxes(backend.messages),
              (std::vector<std::pair<unsigned, std::string>>{{0x21u, expected::kConfirmJoin},
                                                             {0x40u, expected::kJoinComplete}}));
    for (const MessageRecord& box : backend.messages) {
        EXPECT_EQ(box.caption, "korvane");
        EXPECT_TRUE(box.ownedByDialog);
        EXPECT_TRUE(box.dialogShown);
    }
    EXPECT_EQ(depthAtQuestion, 0);
    EXPECT_EQ(depthAtCompletion, 0);
    EXPECT_EQ(backend.cursorCalls, (std::vector<CursorCall>{CursorCall::Begin, CursorCall::End}));
    EXPECT_EQ(ReadAll(output), ReadAll(c) + ReadAll(a).substr(5000) + ReadAll(b).substr(5000));
}

TEST_F(JoinDialogTest, TheJoinButtonJoinsLikeEnter) {
    Run({a}, [&](DialogPeer& dlg) {
        dlg.SetEditText(IDC_OUTPUT, output);
        dlg.ClickButton(fw::kIdOk);
        EXPECT_FALSE(dlg.Ended());
    });
    EXPECT_EQ(ReadAll(output), ReadAll(a));
}

TEST_F(JoinDialogTest, CancellingTheQuestionTouchesNothing) {
    backend.answers = {fw::kIdCancel};
    Run({a, b}, [&](DialogPeer& dlg) {
        dlg.SetEditText(IDC_OUTPUT, output);
        dlg.PressEnter();
        EXPECT_FALSE(dlg.Ended());
    });
    EXPECT_EQ(Boxes(backend.messages),
              (std::vector<std::pair<unsigned, std::string>>{{0x21u, expected::kConfirmJoin}}));
    EXPECT_TRUE(backend.cursorCalls.empty());
    EXPECT_FALSE(std::filesystem::exists(output));
}

TEST_F(JoinDialogTest, AJoinAfterAFailureWritesTheOutputAfresh) {
    std::string missingFolder = InRoot("no-such-folder/out.mpg");
    Run({a, b}, [&](DialogPeer& dlg) {
        dlg.SetEditText(IDC_OUTPUT, missingFolder);
        dlg.PressEnter();
        dlg.SetEditText(IDC_OUTPUT, output);
        dlg.PressEnter();
        EXPECT_FALSE(dlg.Ended());
    });
    EXPECT_EQ(Boxes(backend.messages), (std::vector<std::pair<unsigned, std::string>>{
                                           {0x21u, expected::kConfirmJoin},
                                           {0x10u, expected::CannotCreateOutput(missingFolder)},
                                           {0x21u, expected::kConfirmJoin},
                                           {0x40u, expected::kJoinComplete}}));
    EXPECT_EQ(ReadAll(output), ReadAll(a) + ReadAll(b).substr(5000));
    EXPECT_EQ(backend.waitCursorDepth, 0);
}

TEST_F(JoinDialogTest, AFileErrorEscapingTheJoinIsReportedOnceAndTheDialogGoesOn) {
    bool ended = true;
    Run({a, b}, [&](DialogPeer& dlg) {
        dlg.SetEditText(IDC_OUTPUT, output);
        file_faults::Inject(file_faults::FileOp::read, EACCES);
        dlg.PressEnter();
        file_faults::Clear();
        dlg.PressEnter();
        ended = dlg.Ended();
    });
    EXPECT_FALSE(ended);
    ASSERT_EQ(backend.messages.size(), 4u);
    EXPECT_EQ(backend.messages[0].text, expected::kConfirmJoin);
    EXPECT_EQ(backend.messages[1].style, 0x10u);
    EXPECT_EQ(backend.messages[1].text, expected::Report(5, a));
    EXPECT_TRUE(backend.messages[1].ownedByDialog);
    EXPECT_EQ(backend.messages[2].text, expected::kConfirmJoin);
    EXPECT_EQ(backend.messages[3].text, expected::kJoinComplete);
    EXPECT_EQ(backend.waitCursorDepth, 0) << "the wait cursor ends on the error path too";
    EXPECT_EQ(ReadAll(output), ReadAll(a) + ReadAll(b).substr(5000));
}
