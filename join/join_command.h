#pragma once

#include "join/join_host.h"

// The join command of the dialog (its OK command): asks whether to join,
// runs the join under the wait cursor and its progress, and tells the user
// how it ended, in one message box (none after a stop the user asked for).
// A file error the join leaves to its caller escapes as CFileException, for
// the general error report of whatever runs the command. The wait cursor is
// ended on every path out.
void RunJoinCommand(IJoinHost& host);
