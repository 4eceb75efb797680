#pragma once

#include <cstddef>

#include "join/join_host.h"

// The size of the copy buffer, chosen by measuring the join against its
// peers (bench/): reads of this size cost no more than the system's own copy
// tools, while the buffer stays small and independent of file sizes.
inline constexpr std::size_t kJoinCopyBufferSize = 256 * 1024;

// Joins the host's inputs into its output file: the first input whole, each
// further one without its first 5000 bytes. Every outcome the join expects
// is reported to the user through the host; a file error it does not handle
// itself (a failed read or length query of an input) escapes as
// CFileException, for the general error report of whatever runs the command.
// The wait cursor is ended on every path out.
void JoinFiles(IJoinHost& host);

// The same join with a copy buffer of the given size; for measuring.
void JoinFilesWithBuffer(IJoinHost& host, std::size_t bufferSize);
