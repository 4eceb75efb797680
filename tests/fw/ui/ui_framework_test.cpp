#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "fw/core/win_app.h"
#include "fw/file/file_exception.h"
#include "fw/ui/dialog.h"
#include "fw/ui/file_error_report.h"
#include "fw/ui/framework_texts.h"
#include "fw/ui/handler_error_report.h"
#include "fw/ui/message_box_style.h"
#include "fw/ui_backends/mem/ui_backend.h"

// Dialogs of their own on the in-memory backend, to check the framework's
// command routing apart from the program's dialog.

namespace {

fw::DialogTemplate TwoButtonTemplate() {
    fw::DialogTemplate t;
    t.id = 9001;
    t.cx = 100;
    t.cy = 50;
    t.controls = {{1, "Button", "OK", 0, 0, 0, 10, 10},
                  {10, "Button", "", 0, 0, 0, 10, 10},
                  {11, "Button", "", 0, 0, 0, 10, 10},
                  {12, "Button", "", 0, 0, 0, 10, 10}};
    return t;
}

class BaseDlg : public CDialog {
public:
    BaseDlg() : CDialog(9001) {}
    std::vector<std::string> calls;

protected:
    void OnTen() { calls.push_back("base 10"); }
    void OnEleven() { calls.push_back("base 11"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseDlg, CDialog)
ON_BN_CLICKED(10, &BaseDlg::OnTen)
ON_BN_CLICKED(11, &BaseDlg::OnEleven)
END_MESSAGE_MAP()

class DerivedDlg : public BaseDlg {
public:
    std::function<void()> throwOnTwelve;

protected:
    void OnDerivedTen() { calls.push_back("derived 10"); }
    void OnTwelve() {
        calls.push_back("12");
        if (throwOnTwelve)
            throwOnTwelve();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedDlg, BaseDlg)
ON_BN_CLICKED(10, &DerivedDlg::OnDerivedTen)
ON_BN_CLICKED(12, &DerivedDlg::OnTwelve)
END_MESSAGE_MAP()

class FrameworkTest : public ::testing::Test {
protected:
    void SetUp() override {
        fw::RegisterDialogTemplate(m_template);
        fw::SetBackend(&backend);
    }
    void TearDown() override { fw::SetBackend(nullptr); }

    fw::mem::UiBackend backend;

private:
    fw::DialogTemplate m_template = TwoButtonTemplate();
};

} // namespace

TEST_F(FrameworkTest, CommandsReachTheMostDerivedHandlerThenTheBases) {
    DerivedDlg dlg;
    backend.onShown = [](fw::mem::DialogPeer& window) {
        window.ClickButton(10);
        window.ClickButton(11);
        window.ClickButton(12);
        EXPECT_FALSE(window.Ended());
        window.PressEnter(); // no OK override: ends with OK
    };
    EXPECT_EQ(dlg.DoModal(), fw::kIdOk);
    EXPECT_EQ(dlg.calls, (std::vector<std::string>{"derived 10", "base 11", "12"}));
    EXPECT_TRUE(backend.messages.empty());
    EXPECT_EQ(dlg.Peer(), nullptr) << "the window is detached after the run";
}

// A command arriving while a handler runs (posted to the window, or an
// accessibility press during a join's loops) does nothing then; a cancel
// among them ends the dialog once the handler has returned.
TEST_F(FrameworkTest, ACommandArrivingDuringAHandlerWaitsOrIsDropped) {
    DerivedDlg dlg;
    backend.onShown = [&](fw::mem::DialogPeer& window) {
        dlg.throwOnTwelve = [&] {
            window.ClickButton(11);
            window.PressEscape();
            window.ClickButton(10);
            EXPECT_FALSE(window.Ended());
        };
        window.ClickButton(12);
        EXPECT_TRUE(window.Ended());
    };
    EXPECT_EQ(dlg.DoModal(), fw::kIdCancel);
    EXPECT_EQ(dlg.calls, (std::vector<std::string>{"12"}));
}

TEST_F(FrameworkTest, AnUnknownTemplateFailsTheRun) {
    CDialog dlg(424242);
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_EQ(backend.modalRuns, 0);
}

TEST_F(FrameworkTest, WhatEscapesAHandlerIsReportedOnceAndTheDialogGoesOn) {
    const CFileException fileError(CFileException::diskFull, 28, "/tmp/out.mpg");
    struct Case {
        std::function<void()> raise;
        std::string text;
    } cases[] = {
        {[&] { throw fileError; }, fw::FileErrorReportText(fileError)},
        {[] { throw std::runtime_error("x"); }, fw::kUnexpectedErrorText},
        {[] { throw std::bad_alloc(); }, fw::kOutOfMemoryText},
        {[] { throw 42; }, fw::kUnexpectedErrorText},
    };
    for (const Case& c : cases) {
        backend.messages.clear();
        DerivedDlg dlg;
        dlg.throwOnTwelve = c.raise;
        bool endedAfterError = true;
        backend.onShown = [&](fw::mem::DialogPeer& window) {
            window.ClickButton(12);
            endedAfterError = window.Ended();
            window.ClickButton(11);
        };
        EXPECT_EQ(dlg.DoModal(), fw::kIdCancel);
        EXPECT_FALSE(endedAfterError);
        EXPECT_EQ(dlg.calls, (std::vector<std::string>{"12", "base 11"}));
        ASSERT_EQ(backend.messages.size(), 1u) << c.text;
        EXPECT_EQ(backend.messages[0].style, fw::kMbStop);
        EXPECT_EQ(backend.messages[0].text, c.text);
    }
}

TEST(ProgramName, IsTheFileNameWithoutFolderAndExtension) {
    using fw::CodePage;
    EXPECT_EQ(fw::ProgramNameFromPath("/usr/bin/korvane", CodePage::Utf8), "korvane");
    EXPECT_EQ(fw::ProgramNameFromPath("korvane", CodePage::Utf8), "korvane");
    EXPECT_EQ(fw::ProgramNameFromPath("./build/Korvane.bin", CodePage::Utf8), "Korvane");
    EXPECT_EQ(fw::ProgramNameFromPath("/opt/v1.2/tool", CodePage::Utf8), "tool");
    EXPECT_EQ(fw::ProgramNameFromPath("/opt/tool.tar.gz", CodePage::Utf8), "tool.tar");
    EXPECT_EQ(fw::ProgramNameFromPath("/opt/.hidden", CodePage::Utf8), ".hidden");
#ifdef _WIN32
    EXPECT_EQ(fw::ProgramNameFromPath("X:\\dir\\Tool.exe", CodePage::SingleByte), "Tool");
    EXPECT_EQ(fw::ProgramNameFromPath("X:Tool.exe", CodePage::SingleByte), "Tool");
    // 0x95 0x5C is one Shift-JIS character whose second byte is a backslash.
    EXPECT_EQ(fw::ProgramNameFromPath("C:\\\x95\x5C.exe", CodePage::Cp932), "\x95\x5C");
#endif
}

TEST(ListPeer, SortedInsertionIgnoresCaseAndKeepsArrivalOrderOfEqualEntries) {
    fw::mem::ListPeer list(true);
    for (const char* text : {"b", "B", "a", "", "A", "b"})
        list.AddString(text);
    EXPECT_EQ(list.Entries(), (std::vector<std::string>{"", "a", "A", "b", "B", "b"}));
}

TEST(ListPeer, TheSelectionFollowsItsEntryAndEndsWhenItIsDeleted) {
    fw::mem::ListPeer list(false);
    for (const char* text : {"b", "a", "c"})
        list.AddString(text);
    EXPECT_EQ(list.Entries(), (std::vector<std::string>{"b", "a", "c"}));
    EXPECT_EQ(list.GetCurSel(), -1);
    EXPECT_EQ(list.SetCurSel(1), 1);
    EXPECT_EQ(list.InsertString(0, "z"), 0);
    EXPECT_EQ(list.GetCurSel(), 2);
    EXPECT_EQ(list.DeleteString(0), 3);
    EXPECT_EQ(list.GetCurSel(), 1);
    EXPECT_EQ(list.DeleteString(1), 2);
    EXPECT_EQ(list.GetCurSel(), -1);
    EXPECT_EQ(list.InsertString(3, "x"), -1) << "past the end";
    std::string text = "kept";
    EXPECT_EQ(list.GetText(5, text), -1);
    EXPECT_EQ(text, "kept");
    EXPECT_EQ(list.SetCurSel(7), -1);
    EXPECT_EQ(list.GetCurSel(), -1);
}
