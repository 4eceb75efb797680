#include <gtest/gtest.h>

#include "app_fixture.h"
#include "tests/expected_texts.h"

using fw::mem::DialogPeer;

namespace {

struct ListState {
    std::vector<std::string> entries;
    int selection = -1;
};

ListState StateOf(DialogPeer& dlg) {
    fw::mem::ListPeer& list = dlg.List(IDC_FILES);
    return {list.Entries(), list.GetCurSel()};
}

} // namespace

class OrderEditingTest : public AppTest {
protected:
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const fw::mem::MessageRecord& box : backend.messages) {
            EXPECT_EQ(box.style, 0x40u) << box.text;
            texts.push_back(box.text);
        }
        return texts;
    }

    const std::vector<std::string> abc{"/d/a.mpg", "/d/b.mpg", "/d/c.mpg"};
};

TEST_F(OrderEditingTest, WithoutSelectionBothButtonsAskForOne) {
    ListState after;
    Run(abc, [&](DialogPeer& dlg) {
        dlg.ClickButton(IDC_MOVE_UP);
        dlg.ClickButton(IDC_MOVE_DOWN);
        after = StateOf(dlg);
    });
    EXPECT_EQ(Texts(),
              (std::vector<std::string>{expected::kSelectAnItem, expected::kSelectAnItem}));
    EXPECT_EQ(after.entries, abc);
    EXPECT_EQ(after.selection, -1);
}

TEST_F(OrderEditingTest, TheTopEntryCannotGoUpNorTheBottomOneDown) {
    ListState afterUp, afterDown;
    Run(abc, [&](DialogPeer& dlg) {
        dlg.SelectEntry(IDC_FILES, 0);
        dlg.ClickButton(IDC_MOVE_UP);
        afterUp = StateOf(dlg);
        dlg.SelectEntry(IDC_FILES, 2);
        dlg.ClickButton(IDC_MOVE_DOWN);
        afterDown = StateOf(dlg);
    });
    EXPECT_EQ(Texts(), (std::vector<std::string>{expected::kFirstCannotMoveUp,
                                                 expected::kLastCannotMoveDown}));
    EXPECT_EQ(afterUp.entries, abc);
    EXPECT_EQ(afterUp.selection, 0);
    EXPECT_EQ(afterDown.entries, abc);
    EXPECT_EQ(afterDown.selection, 2);
}

TEST_F(OrderEditingTest, ASingleEntryMovesNeitherWay) {
    ListState after;
    Run({"/d/only.mpg"}, [&](DialogPeer& dlg) {
        dlg.SelectEntry(IDC_FILES, 0);
        dlg.ClickButton(IDC_MOVE_UP);
        dlg.ClickButton(IDC_MOVE_DOWN);
        after = StateOf(dlg);
    });
    EXPECT_EQ(Texts(), (std::vector<std::string>{expected::kFirstCannotMoveUp,
                                                 expected::kLastCannotMoveDown}));
    EXPECT_EQ(after.entries, std::vector<std::string>{"/d/only.mpg"});
    EXPECT_EQ(after.selection, 0);
}

TEST_F(OrderEditingTest, DownThenUpRestoresTheOrderWithTheEntryStillSelected) {
    ListState afterDown, afterUp;
    Run(abc, [&](DialogPeer& dlg) {
        dlg.SelectEntry(IDC_FILES, 0);
        dlg.ClickButton(IDC_MOVE_DOWN);
        afterDown = StateOf(dlg);
        dlg.ClickButton(IDC_MOVE_UP);
        afterUp = StateOf(dlg);
    });
    EXPECT_TRUE(backend.messages.empty());
    EXPECT_EQ(afterDown.entries, (std::vector<std::string>{"/d/b.mpg", "/d/a.mpg", "/d/c.mpg"}));
    EXPECT_EQ(afterDown.selection, 1);
    EXPECT_EQ(afterUp.entries, abc);
    EXPECT_EQ(afterUp.selection, 0);
}

TEST_F(OrderEditingTest, RepeatedClicksKeepMovingTheSameEntryUntilTheEnd) {
    ListState after;
    Run(abc, [&](DialogPeer& dlg) {
        dlg.SelectEntry(IDC_FILES, 0);
        dlg.ClickButton(IDC_MOVE_DOWN);
        dlg.ClickButton(IDC_MOVE_DOWN);
        dlg.ClickButton(IDC_MOVE_DOWN);
        after = StateOf(dlg);
    });
    EXPECT_EQ(Texts(), std::vector<std::string>{expected::kLastCannotMoveDown});
    EXPECT_EQ(after.entries, (std::vector<std::string>{"/d/b.mpg", "/d/c.mpg", "/d/a.mpg"}));
    EXPECT_EQ(after.selection, 2);
}

TEST_F(OrderEditingTest, EmptyEntriesMoveLikeAnyOther) {
    ListState after;
    // A switch followed directly by a switch gives an empty entry, which
    // sorts first.
    Run({"-x", "-y", "/d/a.mpg"}, [&](DialogPeer& dlg) {
        ASSERT_EQ(StateOf(dlg).entries, (std::vector<std::string>{"", "/d/a.mpg"}));
        dlg.SelectEntry(IDC_FILES, 0);
        dlg.ClickButton(IDC_MOVE_DOWN);
        after = StateOf(dlg);
    });
    EXPECT_TRUE(backend.messages.empty());
    EXPECT_EQ(after.entries, (std::vector<std::string>{"/d/a.mpg", ""}));
    EXPECT_EQ(after.selection, 1);
}

TEST_F(OrderEditingTest, OnlyTheJoinListIsReordered) {
    std::vector<std::string> sorted;
    Run(abc, [&](DialogPeer& dlg) {
        dlg.SelectEntry(IDC_FILES, 2);
        dlg.ClickButton(IDC_MOVE_UP);
        sorted = dlg.List(IDC_SORTED).Entries();
    });
    EXPECT_EQ(sorted, abc);
}
