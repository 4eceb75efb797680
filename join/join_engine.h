#pragma once

#include <cstddef>

#include "join/join_host.h"

// The size of the copy buffer, chosen by measuring. Median time of the
// engine joining three inputs of 256 MiB with each buffer size, every size
// once per round, five rounds, on a 2-core virtual machine shared with other work:
//
//   scripts/bench --size-mib 256 --rounds 5 --sweep 1,4,16,64,128,256,512,1024
//   (and the same with --dir /dev/shm)
//
//   buffer     tmpfs (the copying alone)   ext4 (the output flushed to disk)
//     1 KiB    1.04 s                      1.64 s
//     4 KiB    0.53 s                      1.22 s
//    16 KiB    0.39 s                      0.69 s
//    64 KiB    0.46 s                      0.79 s
//   128 KiB    0.34 s                      0.63 s
//   256 KiB    0.47 s                      0.45 s
//   512 KiB    0.44 s                      0.42 s
//  1024 KiB    0.38 s                      0.39 s
//
// 128 KiB copied fastest where only the copying counts; 1 KiB took three
// times as long there, and 2.6 times as long on disk. On disk the flush
// makes single rounds vary widely (1024 KiB: 0.35 s to 2.12 s), and there
// the sizes from 256 KiB up came out faster.
inline constexpr std::size_t kJoinCopyBufferSize = 128 * 1024;

// The most bytes copied in one step, whether the kernel copies them or they
// pass through the buffer; between steps the join can show its progress and
// stop. Per slice size: the engine's time over that of the kernel's copy of
// the same bytes in the same round (one copy_file_range per input), and the
// engine's processor time; medians of five rounds, three inputs of 256 MiB,
// on a 2-core virtual machine shared with other work:
//
//   scripts/bench --size-mib 256 --rounds 5 --slices 256,1024,4096,16384,65536
//
//   slice      btrfs (the kernel copies)   ext4 (through the buffer)
//   256 KiB    0.94   0.55 s               0.88   0.22 s
//     1 MiB    1.02   0.60 s               0.77   0.24 s
//     4 MiB    0.97   0.69 s               0.80   0.23 s
//    16 MiB    1.04   0.71 s               0.77   0.23 s
//    64 MiB    0.98   0.71 s               0.79   0.23 s
//
// The size makes no difference beyond the rounds' noise. 4 MiB keeps a step
// short where the bytes pass through the buffer, and still shares a btrfs
// input's blocks in few calls.
inline constexpr std::size_t kJoinCopySliceSize = 4 * 1024 * 1024;

// Joins the host's inputs into its output file: the first input whole, each
// further one without its first 5000 bytes. Every outcome the join expects
// is reported to the user through the host; a file error it does not handle
// itself (a failed read, length query or close of an input) escapes as
// CFileException, for the general error report of whatever runs the command.
// The wait cursor is ended on every path out. The copy runs through the
// host's RunWithProgress and stops as soon as the progress asks it to (the
// user's cancel, or anything else that ends the work early, such as the
// session ending): none of what it wrote stays, under any name (see
// CFile::Discard), and no message follows unless some of it could not be
// removed. Once the copy is done and the output is being flushed, a stop
// comes too late and the join completes.
void JoinFiles(IJoinHost& host);

// The same join with a copy buffer and slices of the given sizes; for
// measuring.
void JoinFilesWithSizes(IJoinHost& host, std::size_t bufferSize, std::size_t sliceSize);
