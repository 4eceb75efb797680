#pragma once

#include <string>

#include "fw/platform/system_code_page.h"

// The join's messages to the user, exactly as shown. The texts are UTF-8; a
// path goes in through fw::MessageTextFromPath.
namespace join_messages {

inline constexpr const char* kNothingToJoin = "結合するファイルがありません。";
inline constexpr const char* kConfirmJoin = "結合してもよろしいですか？";
inline constexpr const char* kJoinComplete = "結合が完了しました。";

// The progress window of a long join; %1 stands for the number.
inline constexpr const char* kJoiningFiles = "ファイルを結合しています…";
inline constexpr const char* kMinutesLeft = "残り約 %1 分";
inline constexpr const char* kSecondsLeft = "残り約 %1 秒";
inline constexpr const char* kStopJoin = "キャンセル";
// In place of the time left while the output is flushed to storage.
inline constexpr const char* kFinishingWrite = "書き込みを完了しています…";

inline std::string CannotCreateOutput(const std::string& output) {
    return "保存先のファイル「" + fw::MessageTextFromPath(output) +
           "」を作成することが出来ませんでした。";
}

inline std::string OutputIsAnInput(const std::string& output) {
    return "保存先のファイル「" + fw::MessageTextFromPath(output) +
           "」は結合するファイルの一つです。別の保存先を指定して下さい。";
}

inline std::string CannotOpenInput(const std::string& name) {
    return "「" + fw::MessageTextFromPath(name) + "」を開くことが出来ませんでした。";
}

inline std::string MaybeNotMpeg(const std::string& name) {
    return "「" + fw::MessageTextFromPath(name) + "」はMPEGファイルでは無い可能性があります。";
}

inline std::string WriteError(const std::string& output) {
    return "「" + fw::MessageTextFromPath(output) + "」に書き込み中にエラーが発生しました。";
}

// A stopped join whose partial output could be neither emptied nor removed.
inline std::string StoppedWithPartialOutput(const std::string& output) {
    return "結合を中止しましたが、「" + fw::MessageTextFromPath(output) +
           "」に途中まで書き込んだデータが残っています。";
}

} // namespace join_messages
