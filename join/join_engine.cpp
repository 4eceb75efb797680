#include "join/join_engine.h"

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "fw/file/file.h"
#include "fw/platform/file_system.h"
#include "fw/ui/message_box_style.h"
#include "join/copy_buffer.h"
#include "join/join_messages.h"

namespace {

// Inputs of this size or smaller are taken not to be MPEG files.
constexpr std::uint64_t kMaximumRefusedSize = 5000;
// Bytes left out at the start of every input after the first.
constexpr std::size_t kHeaderSize = 5000;

// Begins the host's wait cursor and ends it exactly once: explicitly where
// the order against the closing message matters, otherwise on the way out,
// an escaping file error included.
class WaitCursor {
public:
    explicit WaitCursor(IJoinHost& host) : m_host(host) { m_host.BeginWaitCursor(); }
    ~WaitCursor() { End(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

    void End() {
        if (m_active) {
            m_active = false;
            m_host.EndWaitCursor();
        }
    }

private:
    IJoinHost& m_host;
    bool m_active = true;
};

// How a join that got past the question ends: the one message it shows
// (none after a stop the user asked for), and whether the wait cursor ends
// before it. A refused output is reported while the cursor still shows; once
// the output exists, the files are closed and the cursor ended before the
// message.
struct Outcome {
    std::string text;
    unsigned style = 0;
    bool cursorEndsFirst = true;
};

Outcome Refused(std::string text) {
    return {std::move(text), fw::kMbStop, false};
}

Outcome Failed(std::string text) {
    return {std::move(text), fw::kMbStop, true};
}

// What the join works on, read from the host before the copy starts: the
// list cannot change while a join runs.
struct JoinJob {
    std::vector<std::string> inputs;
    std::string output;
};

JoinJob ReadJob(IJoinHost& host) {
    JoinJob job;
    const int count = host.JoinListCount();
    for (int i = 0; i < count; ++i) {
        job.inputs.push_back(host.JoinListEntry(i));
    }
    job.output = host.OutputPathText();
    return job;
}

// The bytes the join will copy, from the inputs' sizes now: the first input
// whole, every other one without its header.
std::uint64_t BytesToCopy(const JoinJob& job) {
    std::uint64_t total = 0;
    for (std::size_t i = 0; i < job.inputs.size(); ++i) {
        const std::uint64_t size = fw::RegularFileSize(job.inputs[i]);
        total += i == 0 ? size : size - std::min<std::uint64_t>(size, kHeaderSize);
    }
    return total;
}

// Counts the copied bytes into the shared progress a few megabytes or a
// tenth of a second at a time, and tells when the user asked to stop.
class ProgressMeter {
public:
    explicit ProgressMeter(fw::IWorkProgress& progress) : m_progress(progress) {}
    ~ProgressMeter() { Report(); }
    ProgressMeter(const ProgressMeter&) = delete;
    ProgressMeter& operator=(const ProgressMeter&) = delete;

    // Counts bytes more; returns false once the user asked to stop.
    bool Copied(std::size_t bytes) {
        m_pending += bytes;
        if (m_pending >= kReportBytes || Clock::now() - m_reportedAt >= kReportInterval) {
            Report();
        }
        return !m_progress.CancelRequested();
    }

    void Report() {
        if (m_pending > 0) {
            m_progress.Advance(m_pending);
            m_pending = 0;
        }
        m_reportedAt = Clock::now();
    }

private:
    using Clock = std::chrono::steady_clock;
    static constexpr std::uint64_t kReportBytes = 4 * 1024 * 1024;
    static constexpr Clock::duration kReportInterval = std::chrono::milliseconds(100);

    fw::IWorkProgress& m_progress;
    std::uint64_t m_pending = 0;
    Clock::time_point m_reportedAt = Clock::now();
};

bool OutputIsOneOfTheInputs(const JoinJob& job) {
    return std::any_of(job.inputs.begin(), job.inputs.end(), [&](const std::string& input) {
        return fw::IsSameExistingFile(job.output, input);
    });
}

void SkipHeader(CFile& input, const CopyBuffer& buffer) {
    std::size_t remaining = kHeaderSize;
    while (remaining > 0) {
        const std::size_t n = input.Read(buffer.Data(), std::min(remaining, buffer.Size()));
        if (n == 0) {
            return;
        }
        remaining -= n;
    }
}

enum class CopyEnd { done, writeFailed, stopped };

// Copies the rest of input to the end of output, one slice at a time,
// counting each slice. A failed read escapes as CFileException.
CopyEnd CopyRest(CFile& input, CFile& output, const CopyBuffer& buffer, std::size_t sliceSize,
                 ProgressMeter& meter) {
    for (;;) {
        const CFile::CopyResult slice =
            input.CopyTo(output, sliceSize, {buffer.Data(), buffer.Size()});
        if (slice.outputFailed) {
            return CopyEnd::writeFailed;
        }
        if (slice.copied == 0) {
            return CopyEnd::done;
        }
        if (!meter.Copied(slice.copied)) {
            return CopyEnd::stopped;
        }
    }
}

// A join that was stopped: this join created or emptied its output, so
// none of what it wrote may stay, under any name. No message follows unless
// some of it does.
Outcome Stopped(CFile& in, CFile& out, const std::string& output) {
    in.Abort();
    if (!out.Discard()) {
        return Failed(join_messages::StoppedWithPartialOutput(output));
    }
    return {};
}

// The join proper, under the wait cursor and off the host's thread: it
// touches only the files and progress. Both files are closed when it
// returns (an open file is abandoned with its object), input first.
Outcome JoinUnderCursor(const JoinJob& job, fw::IWorkProgress& progress, std::size_t bufferSize,
                        std::size_t sliceSize) {
    const std::string& output = job.output;

    // Creating the output would empty an input it names, so such a path is
    // refused while nothing has been touched.
    if (OutputIsOneOfTheInputs(job)) {
        return Refused(join_messages::OutputIsAnInput(output));
    }
    progress.SetTotal(BytesToCopy(job));
    CFile out;
    if (!out.Open(output, CFile::modeWrite | CFile::modeCreate | CFile::shareExclusive)) {
        return Refused(join_messages::CannotCreateOutput(output));
    }

    const CopyBuffer buffer(bufferSize);
    ProgressMeter meter(progress);
    CFile in;
    for (std::size_t i = 0; i < job.inputs.size(); ++i) {
        const std::string& name = job.inputs[i];
        if (progress.CancelRequested()) {
            return Stopped(in, out, output);
        }
        progress.SetItem(static_cast<int>(i));
        if (!in.Open(name, CFile::modeRead | CFile::shareExclusive)) {
            return Failed(join_messages::CannotOpenInput(name));
        }
        if (in.GetLength() <= kMaximumRefusedSize) {
            return Failed(join_messages::MaybeNotMpeg(name));
        }
        if (i != 0) {
            SkipHeader(in, buffer);
        }
        switch (CopyRest(in, out, buffer, sliceSize, meter)) {
        case CopyEnd::done:
            break;
        case CopyEnd::writeFailed:
            return Failed(join_messages::WriteError(output));
        case CopyEnd::stopped:
            return Stopped(in, out, output);
        }
        in.Close();
    }
    meter.Report();

    // Success is reported only once the output is on stable storage.
    progress.SetFinishing();
    try {
        out.Flush();
        out.Close();
    } catch (const CFileException&) {
        return Failed(join_messages::WriteError(output));
    }
    return {join_messages::kJoinComplete, fw::kMbInformation, true};
}

} // namespace

void JoinFiles(IJoinHost& host) {
    JoinFilesWithSizes(host, kJoinCopyBufferSize, kJoinCopySliceSize);
}

void JoinFilesWithSizes(IJoinHost& host, std::size_t bufferSize, std::size_t sliceSize) {
    if (host.JoinListCount() <= 0) {
        host.ShowMessage(join_messages::kNothingToJoin, fw::kMbInformation);
        return;
    }
    if (host.ShowMessage(join_messages::kConfirmJoin, fw::kMbQuestionOkCancel) != fw::kIdOk) {
        return;
    }

    WaitCursor cursor(host);
    const JoinJob job = ReadJob(host);
    fw::ProgressWindowTexts texts{join_messages::kJoiningFiles,
                                  join_messages::kMinutesLeft,
                                  join_messages::kSecondsLeft,
                                  join_messages::kStopJoin,
                                  job.inputs,
                                  join_messages::kFinishingWrite};
    // Only the copy runs away from the host's thread; every message comes
    // from here once it has ended.
    Outcome outcome;
    host.RunWithProgress(texts, [&](fw::IWorkProgress& progress) {
        outcome = JoinUnderCursor(job, progress, bufferSize, std::max<std::size_t>(sliceSize, 1));
    });
    if (outcome.cursorEndsFirst) {
        cursor.End();
    }
    if (!outcome.text.empty()) {
        host.ShowMessage(outcome.text, outcome.style);
    }
}
