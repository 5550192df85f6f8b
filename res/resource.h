#pragma once

// Numbers of Quillet's resources and of the controls in its dialog templates.

#include "platform/qt/resource_format.h"

namespace quillet {

inline constexpr int IDD_ABOUT_BOX = 100;
inline constexpr int IDS_ABOUT_MENU = 101;
inline constexpr int IDD_MAIN_DIALOG = 102;
inline constexpr int IDI_APP_ICON = 128;
inline constexpr int IDB_ABOUT_PICTURE = 130;

// The About entry's command in the main dialog's system menu.
inline constexpr unsigned IDM_ABOUT_BOX = 0x0010;

// Controls without a number of their own.
inline constexpr int IDC_STATIC = -1;

inline constexpr int IDC_BASE_SCRIPT = 1000;
inline constexpr int IDC_BASE_SCRIPT_LABEL = 1001;
inline constexpr int IDC_TARGET_FOLDER_LABEL = 1002;
inline constexpr int IDC_TARGET_FOLDER = 1003;
inline constexpr int IDC_BROWSE_BASE_SCRIPT = 1004;
inline constexpr int IDC_BROWSE_TARGET_FOLDER = 1005;
inline constexpr int IDC_HEADER_LABEL = 1006;
inline constexpr int IDC_HEADER = 1007;
inline constexpr int IDC_FOOTER = 1008;
inline constexpr int IDC_FOOTER_LABEL = 1009;

namespace res {

// The program's resources, for the dialog layer to find by number.
const ModuleResources& Resources();

}  // namespace res
}  // namespace quillet
