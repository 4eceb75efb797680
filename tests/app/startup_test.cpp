#include <gtest/gtest.h>

#include <clocale>

#include "app_fixture.h"
#include "fw/ui/message_box_style.h"
#include "tests/expected_texts.h"

using fw::mem::DialogPeer;

namespace {
std::vector<std::string> JoinListOf(DialogPeer& dlg) {
    return dlg.List(IDC_FILES).Entries();
}
} // namespace

TEST_F(AppTest, DroppedFilesAreListedSortedWithCaseIgnored) {
    std::vector<std::string> sorted, files;
    std::string output;
    int selection = 0;
    bool ran = false;
    int status = Run({"/d/b.mpg", "/d/C.mpg", "/D/z.mpg", "/d/a.mpg"}, [&](DialogPeer& dlg) {
        ran = true;
        sorted = dlg.List(IDC_SORTED).Entries();
        files = JoinListOf(dlg);
        selection = dlg.List(IDC_FILES).GetCurSel();
        output = dlg.EditField(IDC_OUTPUT).GetText();
    });
    ASSERT_TRUE(ran);
    std::vector<std::string> expected{"/d/a.mpg", "/d/b.mpg", "/d/C.mpg", "/D/z.mpg"};
    EXPECT_EQ(sorted, expected);
    EXPECT_EQ(files, expected);
    EXPECT_EQ(selection, -1);
    EXPECT_EQ(output, Desktop() + "/a.mpg");
    EXPECT_TRUE(backend.messages.empty());
    EXPECT_EQ(status, 0);
    EXPECT_EQ(backend.modalRuns, 1);
}

// The order users see: the locale's collation (punctuation and accents
// weigh less than letters), letter case ignored, equal entries as they came.
TEST_F(AppTest, DroppedFilesAreSortedByTheLocalesCollation) {
    ASSERT_NE(std::setlocale(LC_ALL, "en_US.UTF-8"), nullptr) << "scripts/deps installs it";
    std::vector<std::string> files;
    Run({"/d/f.mpg", "/d/é.mpg", "/d/E.mpg", "/d/_c.mpg", "/d/e.mpg", "/d/a.mpg"},
        [&](DialogPeer& dlg) { files = JoinListOf(dlg); });
    EXPECT_EQ(files, (std::vector<std::string>{"/d/a.mpg", "/d/_c.mpg", "/d/E.mpg", "/d/e.mpg",
                                               "/d/é.mpg", "/d/f.mpg"}));
}

TEST_F(AppTest, InitialisationSetsIconsBindsControlsInOrderAndRedrawsOnce) {
    std::vector<int> bound;
    std::vector<std::pair<fw::IconHandle, bool>> icons;
    fw::IconHandle up, down;
    int redraws = 0;
    Run({"/d/a.mpg"}, [&](DialogPeer& dlg) {
        bound = dlg.BoundIds();
        icons = dlg.IconsSet();
        up = dlg.PushButton(IDC_MOVE_UP).Icon();
        down = dlg.PushButton(IDC_MOVE_DOWN).Icon();
        redraws = dlg.Redraws();
    });
    EXPECT_EQ(bound, (std::vector<int>{1004, 1002, 1003, 1000, 1001}));
    ASSERT_EQ(icons.size(), 2u);
    EXPECT_EQ(icons[0].first.resourceId, IDR_MAINFRAME);
    EXPECT_TRUE(icons[0].second) << "big icon first";
    EXPECT_EQ(icons[1].first.resourceId, IDR_MAINFRAME);
    EXPECT_FALSE(icons[1].second);
    EXPECT_EQ(up.resourceId, IDI_UP);
    EXPECT_EQ(down.resourceId, IDI_DOWN);
    EXPECT_EQ(redraws, 1);
}

TEST_F(AppTest, TheSameFileTwiceIsListedTwice) {
    std::vector<std::string> files;
    Run({"/d/b.mpg", "/d/a.mpg", "/d/b.mpg"}, [&](DialogPeer& dlg) { files = JoinListOf(dlg); });
    EXPECT_EQ(files, (std::vector<std::string>{"/d/a.mpg", "/d/b.mpg", "/d/b.mpg"}));
}

TEST_F(AppTest, ASwitchAloneGivesOneEmptyEntryAndADesktopProposal) {
    std::vector<std::string> files;
    std::string output;
    Run({"-x"}, [&](DialogPeer& dlg) {
        files = JoinListOf(dlg);
        output = dlg.EditField(IDC_OUTPUT).GetText();
    });
    EXPECT_EQ(files, std::vector<std::string>{""});
    EXPECT_EQ(output, Desktop() + "/");
}

TEST_F(AppTest, WithoutFilesOnlyTheMessageShowsAndNoDialog) {
    backend.programPath = "/opt/tools/Korvane.bin";
    bool shown = false;
    int status = Run({}, [&](DialogPeer&) { shown = true; });
    EXPECT_FALSE(shown);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(backend.modalRuns, 1);
    ASSERT_EQ(backend.messages.size(), 1u);
    const fw::mem::MessageRecord& box = backend.messages[0];
    EXPECT_EQ(box.style, 0x40u);
    EXPECT_EQ(box.text, expected::kNoFilesDropped);
    EXPECT_EQ(box.caption, "Korvane") << "the program file's name without folder and extension";
    EXPECT_TRUE(box.ownedByDialog);
    EXPECT_FALSE(box.dialogShown);
}

TEST_F(AppTest, EscapeAndClosingEndTheDialogWithCancel) {
    int result = 0;
    int status = Run({"/d/a.mpg"}, [&](DialogPeer& dlg) {
        dlg.PressEscape();
        EXPECT_TRUE(dlg.Ended());
        result = dlg.Result();
    });
    EXPECT_EQ(result, fw::kIdCancel);
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(backend.messages.empty());
}

TEST_F(AppTest, MinimizedPaintDrawsTheIconCentred) {
    std::vector<std::string> log;
    fw::IconHandle dragIcon;
    Run({"/d/a.mpg"}, [&](DialogPeer& dlg) {
        dlg.Paint();
        EXPECT_EQ(dlg.PaintLog(), std::vector<std::string>{"default"});
        dlg.SetIconic(true);
        // A client area of no width: (0 - 32 + 1) / 2 rounds toward zero to
        // -15; the height's odd excess rounds up: (101 - 32 + 1) / 2 = 35.
        dlg.SetClientRect(fw::Rect{0, 0, 0, 101});
        dlg.Paint();
        log = dlg.PaintLog();
        dragIcon = dlg.QueryDragIcon();
    });
    EXPECT_EQ(log, (std::vector<std::string>{"default", "begin", "erase-icon-background",
                                             "icon 128 at -15,35", "end"}));
    EXPECT_EQ(dragIcon.resourceId, IDR_MAINFRAME);
}
