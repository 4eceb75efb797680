#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// What the program shows the user and how it reads the system's error
// codes, spelt out once here, independently of the program's own constants,
// so that a slip in either is caught.
namespace expected {

// The dialog's messages.
inline const std::string kNoFilesDropped =
    "ファイルがDROPされていません。結合するには、結合したいファイルをDROPして下さい。";
inline const std::string kSelectAnItem = "リスト中のアイテムを選択して下さい。";
inline const std::string kFirstCannotMoveUp = "先頭のアイテムを上げることは出来ません。";
inline const std::string kLastCannotMoveDown = "後尾のアイテムを下げることは出来ません。";

// The join's messages.
inline const std::string kNothingToJoin = "結合するファイルがありません。";
inline const std::string kConfirmJoin = "結合してもよろしいですか？";
inline const std::string kJoinComplete = "結合が完了しました。";

inline std::string CannotCreateOutput(const std::string& output) {
    return "保存先のファイル「" + output + "」を作成することが出来ませんでした。";
}
inline std::string OutputIsAnInput(const std::string& output) {
    return "保存先のファイル「" + output +
           "」は結合するファイルの一つです。別の保存先を指定して下さい。";
}
inline std::string CannotOpenInput(const std::string& name) {
    return "「" + name + "」を開くことが出来ませんでした。";
}
inline std::string MaybeNotMpeg(const std::string& name) {
    return "「" + name + "」はMPEGファイルでは無い可能性があります。";
}
inline std::string WriteError(const std::string& output) {
    return "「" + output + "」に書き込み中にエラーが発生しました。";
}
inline std::string StoppedWithPartialOutput(const std::string& output) {
    return "結合を中止しましたが、「" + output + "」に途中まで書き込んだデータが残っています。";
}

// The progress window's line while the output is flushed.
inline const std::string kFinishingWrite = "書き込みを完了しています…";

// The general error report's text for each cause of a file error, 0 to 14,
// with %1 standing for the file's name.
inline constexpr std::array<std::string_view, 15> kReportTexts = {
    "ｴﾗｰはありませんでした。",
    "%1 へのｱｸｾｽ中に不明なｴﾗｰが発生しました。",
    "%1 が見つかりませんでした。",
    "%1 には無効なﾊﾟｽが含まれています。",
    "開いているﾌｧｲﾙが多すぎるため、%1 を開けませんでした。",
    "%1 へのｱｸｾｽは拒否されました。",
    "%1 へ無効なﾌｧｲﾙ ﾊﾝﾄﾞﾙが関連付けられていました。",
    "現在のﾃﾞｨﾚｸﾄﾘ %1 は削除できませんでした。",
    "%1 を作成できませんでした。そのﾃﾞｨﾚｸﾄﾘはいっぱいです。",
    "%1 のｼｰｸに失敗しました。",
    "%1 へのｱｸｾｽ中にﾊｰﾄﾞｳｪｱ I/O ｴﾗｰが報告されました。",
    "%1 へのｱｸｾｽ中に共有違反が発生しました。",
    "%1 へのｱｸｾｽ中にﾛｯｸ違反が発生しました。",
    "%1 へのｱｸｾｽ中にﾃﾞｨｽｸがいっぱいになりました。",
    "%1 の末尾以降にｱｸｾｽしようとしました。",
};

// The name a report gives a file whose name is not known.
inline const std::string kUntitled = "無題のﾌｧｲﾙ";

// The report for a file error of that cause about the file name.
inline std::string Report(int cause, const std::string& name) {
    std::string text(kReportTexts.at(static_cast<std::size_t>(cause)));
    const std::size_t at = text.find("%1");
    return at == std::string::npos ? text : text.replace(at, 2, name);
}

// The Windows system error codes with a cause of their own, by cause;
// every other code is the generic cause (1).
struct CodeCauses {
    int cause;
    std::vector<long> codes;
};
inline const CodeCauses kWindowsCodeCauses[] = {
    {0, {0}},
    {2, {2, 6, 18, 107}},
    {3, {3, 15, 17, 34, 52, 53, 55, 67, 70, 85, 111, 123, 124, 125, 144, 154, 161, 206, 208, 267}},
    {4, {4, 36, 68, 113}},
    {5, {5, 12, 19, 29, 54, 58, 64, 65, 71, 80, 82, 86, 170, 183, 999}},
    {6, {11, 26, 60, 66, 114, 182, 191, 193}},
    {7, {16, 145}},
    {8, {62}},
    {9, {24, 25, 27, 30, 131, 132}},
    {10, {20, 21, 22, 23, 57, 59, 88, 117, 995, 996, 997}},
    {11, {32}},
    {12, {33, 108, 167}},
    {13, {39, 112}},
    {14, {38}},
};

} // namespace expected
