#pragma once

#include <string_view>

namespace quillet::messages {

// The texts of a generation run, exactly as users have always read them.
inline constexpr std::string_view kOverwriteQuestion =
    "指定したﾌｧｲﾙはすでに存在します\n上書きしますか？";
inline constexpr std::string_view kOutputOpenFailed = "保存ｽｸﾘﾌﾟﾄﾌｧｲﾙのｵｰﾌﾟﾝに失敗しました";
inline constexpr std::string_view kBaseScriptOpenFailed = "ﾍﾞｰｽｽｸﾘﾌﾟﾄﾌｧｲﾙのｵｰﾌﾟﾝに失敗しました";
inline constexpr std::string_view kTargetFolderOpenFailed = "対象ﾌｫﾙﾀﾞのｵｰﾌﾟﾝに失敗しました";
inline constexpr std::string_view kControlCharacterName = "対象ﾌｫﾙﾀﾞに制御文字を含む名前があります";
inline constexpr std::string_view kGenerated = "ｽｸﾘﾌﾟﾄの生成に成功しました";
inline constexpr std::string_view kCancelled = "ｽｸﾘﾌﾟﾄの生成をｷｬﾝｾﾙしました";

}  // namespace quillet::messages
