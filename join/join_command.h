#pragma once

#include <functional>
#include <string>

#include "fw/ui/work_progress.h"

// What the join command needs from whatever runs it (the join dialog, or a
// test): the ordered inputs, the output path, message boxes, the wait
// cursor, and a way to run the copy while its window stays alive.
class IJoinHost {
public:
    virtual ~IJoinHost() = default;

    // Read once, when the join starts.
    virtual int JoinListCount() = 0;
    virtual std::string JoinListEntry(int index) = 0;

    // The output path exactly as the user left it.
    virtual std::string OutputPathText() = 0;

    // Shows a message box of one of the kinds in fw/ui/message_box_style.h and
    // returns the answer (fw::kIdOk or fw::kIdCancel).
    virtual int ShowMessage(const std::string& text, unsigned style) = 0;

    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;

    // Runs work (which touches only files and progress) and returns when it
    // has; see fw::IUiBackend::RunWithProgress.
    virtual void RunWithProgress(const fw::ProgressWindowTexts& texts,
                                 const std::function<void(fw::IWorkProgress&)>& work) = 0;
};

// The join command of the dialog (its OK command): asks whether to join,
// runs the join under the wait cursor and its progress, and tells the user
// how it ended, in one message box (none after a stop the user asked for).
// A file error the join leaves to its caller escapes as CFileException, for
// the general error report of whatever runs the command. The wait cursor is
// ended on every path out.
void RunJoinCommand(IJoinHost& host);
