#include "join/join_command.h"

#include <optional>
#include <string>
#include <utility>

#include "fw/ui/message_box_style.h"
#include "join/join_engine.h"
#include "join/join_messages.h"

namespace {

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

// The one message a join that got past the question ends with (none after
// a stop that left nothing), and whether the wait cursor ends before it. A
// refused output is reported while the cursor still shows; once the output
// exists, the files are closed and the cursor ended before the message.
struct Message {
    std::string text;
    unsigned style = 0;
    bool cursorEndsFirst = true;
};

Message Refused(std::string text) {
    return {std::move(text), fw::kMbStop, false};
}

Message Failed(std::string text) {
    return {std::move(text), fw::kMbStop, true};
}

Message MessageFor(const JoinOutcome& outcome) {
    using End = JoinOutcome::End;
    const std::string& file = outcome.file;
    switch (outcome.end) {
    case End::done:
        return {join_messages::kJoinComplete, fw::kMbInformation, true};
    case End::stopped:
        return {};
    case End::stoppedLeavingData:
        return Failed(join_messages::StoppedWithPartialOutput(file));
    case End::outputIsAnInput:
        return Refused(join_messages::OutputIsAnInput(file));
    case End::cannotCreateOutput:
        return Refused(join_messages::CannotCreateOutput(file));
    case End::cannotOpenInput:
        return Failed(join_messages::CannotOpenInput(file));
    case End::notMpeg:
        return Failed(join_messages::MaybeNotMpeg(file));
    case End::writeFailed:
        return Failed(join_messages::WriteError(file));
    }
    return {};
}

// The list cannot change while a join runs: it is read once, at the start.
JoinJob ReadJob(IJoinHost& host) {
    JoinJob job;
    const int count = host.JoinListCount();
    for (int i = 0; i < count; ++i) {
        job.inputs.push_back(host.JoinListEntry(i));
    }
    job.output = host.OutputPathText();
    return job;
}

} // namespace

void RunJoinCommand(IJoinHost& host) {
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
    // Only the join runs away from the host's thread; every message comes
    // from here once it has ended.
    std::optional<JoinOutcome> outcome;
    host.RunWithProgress(texts,
                         [&](fw::IWorkProgress& progress) { outcome = JoinFiles(job, progress); });
    const Message message = outcome ? MessageFor(*outcome) : Message{};
    if (message.cursorEndsFirst) {
        cursor.End();
    }
    if (!message.text.empty()) {
        host.ShowMessage(message.text, message.style);
    }
}
