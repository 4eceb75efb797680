#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "fw/ui/message_box_style.h"
#include "join/join_command.h"

// A join host over plain data that records every box (kind and text) and
// every cursor call in order, and answers questions from a script (OK
// where the script has run out).
class RecordingHost : public IJoinHost {
public:
    std::vector<std::string> list;
    std::string output;
    std::deque<int> answers;

    std::vector<std::string> events;

    int JoinListCount() override { return static_cast<int>(list.size()); }
    std::string JoinListEntry(int index) override {
        return list.at(static_cast<std::size_t>(index));
    }
    std::string OutputPathText() override { return output; }

    int ShowMessage(const std::string& text, unsigned style) override {
        events.push_back(Kind(style) + text);
        if (answers.empty()) {
            return fw::kIdOk;
        }
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    // Runs the work at once; a test may act before it starts.
    std::function<void(RecordingHost&)> beforeWork;
    void RunWithProgress(const fw::ProgressWindowTexts& /*texts*/,
                         const std::function<void(fw::IWorkProgress&)>& work) override {
        if (beforeWork) {
            beforeWork(*this);
        }
        fw::SharedWorkProgress progress;
        work(progress);
    }
    void BeginWaitCursor() override { events.push_back("begin"); }
    void EndWaitCursor() override { events.push_back("end"); }

    static std::string Kind(unsigned style) {
        switch (style) {
        case fw::kMbInformation:
            return "info:";
        case fw::kMbStop:
            return "stop:";
        case fw::kMbQuestionOkCancel:
            return "ask:";
        default:
            return "style" + std::to_string(style) + ":";
        }
    }
};
