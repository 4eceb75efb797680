#include "join/join_engine.h"

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fw/file/file.h"
#include "fw/platform/file_system.h"
#include "join/copy_buffer.h"

namespace {

// Inputs of this size or smaller are taken not to be MPEG files.
constexpr std::uint64_t kMaximumRefusedSize = 5000;
// Bytes left out at the start of every input after the first.
constexpr std::size_t kHeaderSize = 5000;

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

// Copies the rest of input to the end of output, one slice at a time,
// counting each slice. Returns false once the user asked to stop.
bool CopyRest(CFile& input, CFile& output, const CopyBuffer& buffer, std::size_t sliceSize,
              ProgressMeter& meter) {
    for (;;) {
        const std::size_t copied = input.CopyTo(output, sliceSize, {buffer.Data(), buffer.Size()});
        if (copied == 0) {
            return true;
        }
        if (!meter.Copied(copied)) {
            return false;
        }
    }
}

// A join that was stopped: this join created or emptied its output, so
// none of what it wrote may stay, under any name.
JoinOutcome Stopped(CFile& in, CFile& out, const std::string& output) {
    in.Abort();
    return {out.Discard() ? JoinOutcome::End::stopped : JoinOutcome::End::stoppedLeavingData,
            output};
}

// Copies every input into the open output, then flushes and closes it. A
// file error escapes as CFileException, the output's included.
JoinOutcome CopyInputs(const JoinJob& job, CFile& out, fw::IWorkProgress& progress,
                       JoinCopySizes sizes) {
    const CopyBuffer buffer(sizes.buffer);
    ProgressMeter meter(progress);
    CFile in;
    for (std::size_t i = 0; i < job.inputs.size(); ++i) {
        const std::string& name = job.inputs[i];
        if (progress.CancelRequested()) {
            return Stopped(in, out, job.output);
        }
        progress.SetItem(static_cast<int>(i));
        if (!in.Open(name, CFile::modeRead | CFile::shareExclusive)) {
            return {JoinOutcome::End::cannotOpenInput, name};
        }
        if (in.GetLength() <= kMaximumRefusedSize) {
            return {JoinOutcome::End::notMpeg, name};
        }
        if (i != 0) {
            SkipHeader(in, buffer);
        }
        if (!CopyRest(in, out, buffer, sizes.slice, meter)) {
            return Stopped(in, out, job.output);
        }
        in.Close();
    }
    meter.Report();

    // Success is reported only once the output is on stable storage.
    progress.SetFinishing();
    out.Flush();
    out.Close();
    return {JoinOutcome::End::done, job.output};
}

} // namespace

JoinOutcome JoinFiles(const JoinJob& job, fw::IWorkProgress& progress, JoinCopySizes sizes) {
    // Creating the output would empty an input it names, so such a path is
    // refused while nothing has been touched.
    if (OutputIsOneOfTheInputs(job)) {
        return {JoinOutcome::End::outputIsAnInput, job.output};
    }
    progress.SetTotal(BytesToCopy(job));
    CFile out;
    if (!out.Open(job.output, CFile::modeWrite | CFile::modeCreate | CFile::shareExclusive)) {
        return {JoinOutcome::End::cannotCreateOutput, job.output};
    }
    sizes.slice = std::max<std::size_t>(sizes.slice, 1);
    try {
        return CopyInputs(job, out, progress, sizes);
    } catch (const CFileException& e) {
        // The exception names the file that failed: the output's failures
        // are the join's write error, an input's are left to the caller.
        if (e.m_strFileName != job.output) {
            throw;
        }
        return {JoinOutcome::End::writeFailed, job.output};
    }
}
