#pragma once

#include <cstddef>

#include "join/join_host.h"

// The size of the copy buffer, chosen by measuring (scripts/bench --sweep):
// 128 KiB copied fastest. 1 KiB took over twice as long, and on ext4 buffers
// of 512 KiB and more were two to three times slower again.
inline constexpr std::size_t kJoinCopyBufferSize = 128 * 1024;

// Joins the host's inputs into its output file: the first input whole, each
// further one without its first 5000 bytes. Every outcome the join expects
// is reported to the user through the host; a file error it does not handle
// itself (a failed read, length query or close of an input) escapes as
// CFileException, for the general error report of whatever runs the command.
// The wait cursor is ended on every path out.
void JoinFiles(IJoinHost& host);

// The same join with a copy buffer of the given size; for measuring.
void JoinFilesWithBuffer(IJoinHost& host, std::size_t bufferSize);
