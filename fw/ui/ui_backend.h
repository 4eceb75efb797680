#pragma once

#include <functional>
#include <memory>
#include <string>

#include "fw/ui/dialog_template.h"
#include "fw/ui/ui_types.h"
#include "fw/ui/work_progress.h"

class CDialog;

namespace fw {

// A list box control. Indices are 0-based; -1 means "none" (no selection).
// A list created with the sorted style (LBS_SORT) puts AddString's entry at
// its sorted place (ascending by the user's locale, letter case ignored; an
// entry equal to existing ones goes after them); an unsorted list appends it.
class IListPeer {
public:
    virtual ~IListPeer() = default;
    // Returns the index the entry went to.
    virtual int AddString(const std::string& text) = 0;
    // index -1 appends. Returns the index the entry went to, or -1 when
    // index is past the end.
    virtual int InsertString(int index, const std::string& text) = 0;
    // Returns the remaining count, or -1 when index is out of range.
    virtual int DeleteString(int index) = 0;
    virtual int GetCount() const = 0;
    // Entry index into text; returns its length, or -1 (text untouched)
    // when out of range.
    virtual int GetText(int index, std::string& text) const = 0;
    virtual int GetCurSel() const = 0;
    // -1 clears the selection. Returns -1 when index is out of range (the
    // selection is then cleared) or when clearing.
    virtual int SetCurSel(int index) = 0;
};

// A single-line edit field.
class IEditPeer {
public:
    virtual ~IEditPeer() = default;
    virtual std::string GetText() const = 0;
    virtual void SetText(const std::string& text) = 0;
};

// A push button.
class IButtonPeer {
public:
    virtual ~IButtonPeer() = default;
    // Shows the icon as the button's image (BM_SETIMAGE with IMAGE_ICON).
    virtual void SetIcon(IconHandle icon) = 0;
};

// One painting pass, begun by IDialogPeer::BeginPaint and ended when the
// object is destroyed (BeginPaint/EndPaint on Windows).
class IPaintContext {
public:
    virtual ~IPaintContext() = default;
    // Erases the background under a minimized window's icon
    // (WM_ICONERASEBKGND with this context).
    virtual void EraseIconBackground() = 0;
    virtual void DrawIcon(int x, int y, IconHandle icon) = 0;
};

// The window of a running dialog, with the controls created from its
// template. Valid from just before the dialog's initialisation until the
// modal run returns.
class IDialogPeer {
public:
    virtual ~IDialogPeer() = default;

    // The control with that id, or null when there is none of that kind.
    virtual IListPeer* ListBox(int id) = 0;
    virtual IEditPeer* Edit(int id) = 0;
    virtual IButtonPeer* Button(int id) = 0;

    // Ends the modal run with result once the current handler returns. The
    // window is not shown if this happens during initialisation.
    virtual void EndDialog(int result) = 0;

    // WM_SETICON with ICON_BIG (big) or ICON_SMALL.
    virtual void SetIcon(IconHandle icon, bool big) = 0;

    // Invalidates, erases and repaints the whole dialog at once.
    virtual void RedrawAll() = 0;

    virtual bool IsIconic() const = 0;
    virtual Rect GetClientRect() const = 0;
    virtual std::unique_ptr<IPaintContext> BeginPaint() = 0;
    // Paints the window the platform's default way (outside BeginPaint).
    virtual void DefaultPaint() = 0;
};

// What a user-interface backend provides. Exactly one is installed, by the
// backend's program entry (or a test), before fw::RunApplication runs.
// Texts are in the system's multibyte code page (UTF-8 on POSIX). Member
// names avoid those windows.h turns into macros (MessageBox, LoadIcon).
class IUiBackend {
public:
    virtual ~IUiBackend() = default;

    // The program file's path (argv[0], or the module's path on Windows).
    virtual std::string ProgramPath() const = 0;

    // Creates the dialog's window and controls from the template, attaches
    // it to the dialog (CDialog::AttachPeer), calls the dialog's
    // HandleInitDialog, shows the window unless the dialog ended already,
    // routes user actions to the dialog (HandleCommand with fw::kIdOk for
    // the default button or Enter, fw::kIdCancel for Escape or the close
    // box) until EndDialog, detaches and destroys the window, and returns
    // the EndDialog result (-1 when the window could not be created).
    virtual int RunModal(CDialog& dialog, const DialogTemplate& dialogTemplate) = 0;

    // A modal message box owned by owner (null: no owner) with one of the
    // styles of fw/ui/message_box_style.h. Returns fw::kIdOk or fw::kIdCancel.
    virtual int ShowMessageBox(IDialogPeer* owner, const std::string& text,
                               const std::string& caption, unsigned style) = 0;

    // Runs work on a thread of its own while the UI thread goes on handling
    // the window system: owner's window repaints but takes no input and
    // keeps the wait cursor. Once work has run for
    // ProgressModel::kShowAfterSeconds, a progress window owned by owner and
    // centred on it (caption, texts, the item and bytes work reports) shows,
    // and the taskbar button shows the progress; its cancel button, Escape
    // and close box ask work to stop. Returns once work has returned and the
    // window has closed; an exception that escaped work is thrown here.
    // Every backend runs it through fw::RunWithProgress
    // (fw/ui/run_with_progress.h) with a ProgressHost of its own.
    virtual void RunWithProgress(IDialogPeer* owner, const std::string& caption,
                                 const ProgressWindowTexts& texts,
                                 const std::function<void(IWorkProgress&)>& work) = 0;

    // The wait cursor shows while begins outnumber ends.
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;

    // Loads an icon of the program's resources (128, 133, 134).
    virtual IconHandle LoadIconResource(int resourceId) = 0;

    // The system's icon size (SM_CXICON, SM_CYICON).
    virtual Size SystemIconSize() const = 0;
};

// Installs the backend (null uninstalls it); the caller keeps ownership.
void SetBackend(IUiBackend* backend);

// The installed backend. Calling it with none installed is a programming
// error and terminates.
IUiBackend& Backend();

} // namespace fw
