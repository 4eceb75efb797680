#include "join/join_engine.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

#include "fw/file.h"
#include "fw/message_box_style.h"
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

// How a join that got past the question ends: the one message it shows, and
// whether the wait cursor ends before it. A refused output is reported while
// the cursor still shows; once the output exists, the files are closed and
// the cursor ended before the message.
struct Outcome {
    std::string text;
    unsigned style;
    bool cursorEndsFirst;
};

Outcome Refused(std::string text) {
    return {std::move(text), fw::kMbStop, false};
}

Outcome Failed(std::string text) {
    return {std::move(text), fw::kMbStop, true};
}

bool OutputIsOneOfTheInputs(IJoinHost& host, const std::string& output) {
    const int count = host.JoinListCount();
    for (int i = 0; i < count; ++i) {
        if (fw::IsSameExistingFile(output, host.JoinListEntry(i))) {
            return true;
        }
    }
    return false;
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

// Copies the rest of input to the end of output, one slice at a time.
// Returns false when a write failed; a failed read escapes as CFileException.
bool CopyRest(CFile& input, CFile& output, const CopyBuffer& buffer, std::size_t sliceSize) {
    for (;;) {
        const CFile::CopyResult slice =
            input.CopyTo(output, sliceSize, {buffer.Data(), buffer.Size()});
        if (slice.outputFailed) {
            return false;
        }
        if (slice.copied == 0) {
            return true;
        }
    }
}

// The join proper, under the wait cursor. Both files are closed when it
// returns (an open file is abandoned with its object), input first.
Outcome JoinUnderCursor(IJoinHost& host, std::size_t bufferSize, std::size_t sliceSize) {
    const std::string output = host.OutputPathText();

    // Creating the output would empty an input it names, so such a path is
    // refused while nothing has been touched.
    if (OutputIsOneOfTheInputs(host, output)) {
        return Refused(join_messages::OutputIsAnInput(output));
    }
    CFile out;
    if (!out.Open(output, CFile::modeWrite | CFile::modeCreate | CFile::shareExclusive)) {
        return Refused(join_messages::CannotCreateOutput(output));
    }

    const CopyBuffer buffer(bufferSize);
    CFile in;
    // The list is counted again before every input.
    for (int i = 0; i < host.JoinListCount(); ++i) {
        const std::string name = host.JoinListEntry(i);
        if (!in.Open(name, CFile::modeRead | CFile::shareExclusive)) {
            return Failed(join_messages::CannotOpenInput(name));
        }
        if (in.GetLength() <= kMaximumRefusedSize) {
            return Failed(join_messages::MaybeNotMpeg(name));
        }
        if (i != 0) {
            SkipHeader(in, buffer);
        }
        if (!CopyRest(in, out, buffer, sliceSize)) {
            return Failed(join_messages::WriteError(output));
        }
        in.Close();
    }

    // Success is reported only once the output is on stable storage.
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
    const Outcome outcome = JoinUnderCursor(host, bufferSize, std::max<std::size_t>(sliceSize, 1));
    if (outcome.cursorEndsFirst) {
        cursor.End();
    }
    host.ShowMessage(outcome.text, outcome.style);
}
