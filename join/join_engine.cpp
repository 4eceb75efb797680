#include "join/join_engine.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>

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
// the order against a message matters, otherwise on the way out, an
// escaping file error included.
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

} // namespace

void JoinFiles(IJoinHost& host) {
    JoinFilesWithBuffer(host, kJoinCopyBufferSize);
}

void JoinFilesWithBuffer(IJoinHost& host, std::size_t bufferSize) {
    if (host.JoinListCount() <= 0) {
        host.ShowMessage(join_messages::kNothingToJoin, fw::kMbInformation);
        return;
    }
    if (host.ShowMessage(join_messages::kConfirmJoin, fw::kMbQuestionOkCancel) != fw::kIdOk) {
        return;
    }

    WaitCursor cursor(host);
    const std::string output = host.OutputPathText();

    // Creating the output would empty an input it names, so such a path is
    // refused while nothing has been touched.
    if (OutputIsOneOfTheInputs(host, output)) {
        host.ShowMessage(join_messages::OutputIsAnInput(output), fw::kMbStop);
        cursor.End();
        return;
    }

    CFile out;
    if (!out.Open(output, CFile::modeWrite | CFile::modeCreate | CFile::shareExclusive)) {
        host.ShowMessage(join_messages::CannotCreateOutput(output), fw::kMbStop);
        cursor.End();
        return;
    }

    const CopyBuffer buffer(bufferSize);
    CFile in;

    // The list is counted again before every input.
    for (int i = 0; i < host.JoinListCount(); ++i) {
        const std::string name = host.JoinListEntry(i);
        if (!in.Open(name, CFile::modeRead | CFile::shareExclusive)) {
            out.Abort();
            cursor.End();
            host.ShowMessage(join_messages::CannotOpenInput(name), fw::kMbStop);
            return;
        }
        if (in.GetLength() <= kMaximumRefusedSize) {
            in.Abort();
            out.Abort();
            cursor.End();
            host.ShowMessage(join_messages::MaybeNotMpeg(name), fw::kMbStop);
            return;
        }
        if (i != 0) {
            SkipHeader(in, buffer);
        }
        for (;;) {
            const std::size_t n = in.Read(buffer.Data(), buffer.Size());
            if (n == 0) {
                break;
            }
            try {
                out.Write(buffer.Data(), n);
            } catch (const CFileException&) {
                in.Abort();
                out.Abort();
                cursor.End();
                host.ShowMessage(join_messages::WriteError(output), fw::kMbStop);
                return;
            }
        }
        in.Close();
    }

    // Success is reported only once the output is on stable storage.
    try {
        out.Flush();
        out.Close();
    } catch (const CFileException&) {
        out.Abort();
        cursor.End();
        host.ShowMessage(join_messages::WriteError(output), fw::kMbStop);
        return;
    }
    cursor.End();
    host.ShowMessage(join_messages::kJoinComplete, fw::kMbInformation);
}
