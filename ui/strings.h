#pragma once

#include <string_view>

namespace quillet::strings {

// The one filter of the script pickers: every file.
inline constexpr const char* kScriptFilter = "ｽｸﾘﾌﾟﾄﾌｧｲﾙ(*.*)|*.*|";
inline constexpr std::string_view kSaveTitle = "保存ｽｸﾘﾌﾟﾄﾌｧｲﾙを指定";
inline constexpr std::string_view kTargetFolderTitle = "処理対象ﾌｫﾙﾀﾞを選択";

}  // namespace quillet::strings
