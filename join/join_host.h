#pragma once

#include <string>

// What the join engine needs from whatever hosts it (the join dialog, or a
// test): the ordered inputs, the output path, message boxes and the wait
// cursor.
class IJoinHost {
public:
    virtual ~IJoinHost() = default;

    // Read afresh before every input.
    virtual int JoinListCount() = 0;
    virtual std::string JoinListEntry(int index) = 0;

    // The output path exactly as the user left it.
    virtual std::string OutputPathText() = 0;

    // Shows a message box of one of the kinds in fw/message_box_style.h and
    // returns the answer (fw::kIdOk or fw::kIdCancel).
    virtual int ShowMessage(const std::string& text, unsigned style) = 0;

    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;
};
