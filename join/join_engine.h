#pragma once

#include <cstddef>

#include "join/join_host.h"

// The size of the copy buffer, chosen by measuring (scripts/bench): from
// 64 KiB up, larger buffers copy no faster, while 1 KiB takes about twice as
// long; 128 KiB stays within the processor's second-level cache.
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
