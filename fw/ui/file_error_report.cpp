#include "fw/ui/file_error_report.h"

#include <cstddef>
#include <string_view>

#include "fw/platform/system_code_page.h"

namespace fw {
namespace {

// Indexed by CFileException::Cause.
constexpr std::string_view kCauseTexts[] = {
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

constexpr std::string_view kUntitled = "無題のﾌｧｲﾙ";

} // namespace

std::string FileErrorReportText(const CFileException& error) {
    const std::size_t count = std::size(kCauseTexts);
    const bool known = error.m_cause >= 0 && static_cast<std::size_t>(error.m_cause) < count;
    const std::string_view text =
        kCauseTexts[known ? error.m_cause : CFileException::genericException];
    const std::string name = error.m_strFileName.empty() ? std::string(kUntitled)
                                                         : MessageTextFromPath(error.m_strFileName);

    // One pass, so a name that itself holds "%1" is not expanded again.
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == '1') {
            result += name;
            ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

} // namespace fw
