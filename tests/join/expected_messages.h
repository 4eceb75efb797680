#pragma once

#include <string>
#include <vector>

// What the recording host holds after each kind of join outcome, written
// out independently of the engine's own texts.
inline const std::string kAsk = "ask:結合してもよろしいですか？";
inline const std::string kDone = "info:結合が完了しました。";

inline std::vector<std::string> Succeeded() {
    return {kAsk, "begin", "end", kDone};
}

inline std::string CannotOpen(const std::string& name) {
    return "stop:「" + name + "」を開くことが出来ませんでした。";
}
inline std::string NotMpeg(const std::string& name) {
    return "stop:「" + name + "」はMPEGファイルでは無い可能性があります。";
}
inline std::string WriteError(const std::string& output) {
    return "stop:「" + output + "」に書き込み中にエラーが発生しました。";
}
inline std::string CannotCreate(const std::string& output) {
    return "stop:保存先のファイル「" + output + "」を作成することが出来ませんでした。";
}
inline std::string OutputIsInput(const std::string& output) {
    return "stop:保存先のファイル「" + output +
           "」は結合するファイルの一つです。別の保存先を指定して下さい。";
}
