#pragma once

#include <string>
#include <vector>

#include "tests/expected_texts.h"

// What the recording host holds after each kind of join outcome: the box's
// kind and the expected text.
inline const std::string kAsk = "ask:" + expected::kConfirmJoin;
inline const std::string kDone = "info:" + expected::kJoinComplete;

inline std::vector<std::string> Succeeded() {
    return {kAsk, "begin", "end", kDone};
}

inline std::string CannotOpen(const std::string& name) {
    return "stop:" + expected::CannotOpenInput(name);
}
inline std::string NotMpeg(const std::string& name) {
    return "stop:" + expected::MaybeNotMpeg(name);
}
inline std::string WriteError(const std::string& output) {
    return "stop:" + expected::WriteError(output);
}
inline std::string CannotCreate(const std::string& output) {
    return "stop:" + expected::CannotCreateOutput(output);
}
inline std::string OutputIsInput(const std::string& output) {
    return "stop:" + expected::OutputIsAnInput(output);
}
