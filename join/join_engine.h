#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "fw/ui/work_progress.h"

// The size of the copy buffer, chosen by measuring (bench/README.md).
inline constexpr std::size_t kJoinCopyBufferSize = 128 * 1024;

// The most bytes copied in one step, whether the kernel copies them or they
// pass through the buffer; between steps the join can show its progress and
// stop. Chosen by measuring (bench/README.md).
inline constexpr std::size_t kJoinCopySliceSize = 4 * 1024 * 1024;

// What a join works on: the inputs in the order they are joined, and the
// output path exactly as the user left it.
struct JoinJob {
    std::vector<std::string> inputs;
    std::string output;
};

// How a join ended, and the file concerned.
struct JoinOutcome {
    enum class End {
        // The output is complete and on stable storage.
        done,
        // Stopped; none of what the join wrote stays, under any name.
        stopped,
        // Stopped, but written data may stay: the output could be neither
        // emptied nor removed, or it has other names.
        stoppedLeavingData,
        // The output path names one of the inputs; nothing was touched.
        outputIsAnInput,
        // The output could not be created; nothing was written.
        cannotCreateOutput,
        // An input could not be opened; file names it.
        cannotOpenInput,
        // An input of 5000 bytes or less, taken not to be MPEG; file names it.
        notMpeg,
        // Writing, flushing or closing the output failed; it keeps what was
        // written.
        writeFailed,
    };

    End end;
    // The input named above, otherwise the output.
    std::string file;
};

// The copy buffer's and slices' sizes; other sizes are for measuring.
struct JoinCopySizes {
    std::size_t buffer = kJoinCopyBufferSize;
    std::size_t slice = kJoinCopySliceSize;
};

// Joins job's inputs into its output: the first input whole, each further
// one without its first 5000 bytes. It touches only the files and progress,
// so it can run on a thread of its own. Every end the join expects is its
// result; a file error it does not handle (a failed read, length query or
// close of an input) escapes as CFileException naming that input. Both
// files are closed when it returns or throws.
//
// It stops as soon as progress asks it to: none of what it wrote stays,
// under any name (see CFile::Discard). Once the copy is done and the output
// is being flushed, a stop comes too late and the join completes.
JoinOutcome JoinFiles(const JoinJob& job, fw::IWorkProgress& progress, JoinCopySizes sizes = {});
