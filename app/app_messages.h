#pragma once

// The dialog's own messages to the user, exactly as shown. The join's
// messages are in join/join_messages.h.
namespace app_messages {

inline constexpr const char* kNoFilesDropped =
    "ファイルがDROPされていません。結合するには、結合したいファイルをDROPして下さい。";
inline constexpr const char* kSelectAnItem = "リスト中のアイテムを選択して下さい。";
inline constexpr const char* kFirstCannotMoveUp = "先頭のアイテムを上げることは出来ません。";
inline constexpr const char* kLastCannotMoveDown = "後尾のアイテムを下げることは出来ません。";

} // namespace app_messages
