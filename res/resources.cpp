#include <array>

#include "core/prompter.h"
#include "res/resource.h"
#include "res/version.h"

namespace quillet::res {
namespace {

// clang-format off
// IDD_MAIN_DIALOG: in this order, which is also the tab order.
constexpr std::array kMainDialogItems{
    DialogItemTemplate{IDOK, "BUTTON", {"ｽｸﾘﾌﾟﾄ生成"}, WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 126, 134, 50, 14, 0},
    DialogItemTemplate{IDCANCEL, "BUTTON", {"終了"}, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP, 0, 181, 134, 50, 14, 0},
    DialogItemTemplate{IDC_BASE_SCRIPT, "EDIT", {""}, WS_CHILD | WS_VISIBLE | ES_LEFT | ES_AUTOHSCROLL | ES_READONLY | WS_BORDER | WS_TABSTOP, 0, 65, 6, 165, 13, 0},
    DialogItemTemplate{IDC_BASE_SCRIPT_LABEL, "STATIC", {"ﾍﾞｰｽｽｸﾘﾌﾟﾄﾌｧｲﾙ :"}, WS_CHILD | WS_VISIBLE | SS_LEFT | WS_GROUP, 0, 5, 8, 56, 8, 0},
    DialogItemTemplate{IDC_TARGET_FOLDER_LABEL, "STATIC", {"対象ﾌｫﾙﾀﾞ :"}, WS_CHILD | WS_VISIBLE | SS_LEFT | WS_GROUP, 0, 5, 26, 35, 8, 0},
    DialogItemTemplate{IDC_TARGET_FOLDER, "EDIT", {""}, WS_CHILD | WS_VISIBLE | ES_LEFT | ES_AUTOHSCROLL | ES_READONLY | WS_BORDER | WS_TABSTOP, 0, 65, 23, 165, 14, 0},
    DialogItemTemplate{IDC_BROWSE_BASE_SCRIPT, "BUTTON", {"..."}, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP, 0, 234, 6, 12, 13, 0},
    DialogItemTemplate{IDC_BROWSE_TARGET_FOLDER, "BUTTON", {"..."}, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP, 0, 234, 24, 12, 13, 0},
    DialogItemTemplate{IDC_HEADER_LABEL, "STATIC", {"ﾍｯﾀﾞ :"}, WS_CHILD | WS_VISIBLE | SS_LEFT | WS_GROUP, 0, 5, 43, 17, 8, 0},
    DialogItemTemplate{IDC_HEADER, "EDIT", {""}, WS_CHILD | WS_VISIBLE | ES_LEFT | ES_MULTILINE | ES_AUTOHSCROLL | ES_WANTRETURN | WS_VSCROLL | WS_BORDER | WS_TABSTOP, 0, 65, 41, 165, 40, 0},
    DialogItemTemplate{IDC_FOOTER, "EDIT", {""}, WS_CHILD | WS_VISIBLE | ES_LEFT | ES_MULTILINE | ES_AUTOHSCROLL | ES_WANTRETURN | WS_VSCROLL | WS_BORDER | WS_TABSTOP, 0, 65, 85, 165, 40, 0},
    DialogItemTemplate{IDC_FOOTER_LABEL, "STATIC", {"ﾌｯﾀ :"}, WS_CHILD | WS_VISIBLE | SS_LEFT | WS_GROUP, 0, 5, 87, 15, 8, 0},
};

// IDD_ABOUT_BOX: the picture keeps its own size; the template's 52 x 37 are nominal.
constexpr std::array kAboutBoxItems{
    DialogItemTemplate{IDC_STATIC, "STATIC", {"", IDB_ABOUT_PICTURE}, WS_CHILD | WS_VISIBLE | SS_BITMAP, 0, 7, 7, 52, 37, 0},
    DialogItemTemplate{IDC_STATIC, "STATIC", {version::kNameAndVersion}, WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX | WS_GROUP, 0, 71, 11, 42, 8, 0},
    DialogItemTemplate{IDC_STATIC, "STATIC", {version::kLegalCopyright}, WS_CHILD | WS_VISIBLE | SS_LEFT | WS_GROUP, 0, 77, 33, 70, 8, 0},
    DialogItemTemplate{IDOK, "BUTTON", {"OK"}, WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, 0, 153, 30, 43, 14, 0},
};
// clang-format on

constexpr std::array kDialogs{
    DialogTemplate{
        IDD_ABOUT_BOX,
        TemplateKind::Classic,
        LANG_JAPANESE_JAPAN,
        "Quilletのﾊﾞｰｼﾞｮﾝ情報",
        WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT,
        0,
        0,
        0,
        203,
        51,
        "",
        "",
        DialogFont{9, "ＭＳ Ｐゴシック", 0, false, DEFAULT_CHARSET},
        kAboutBoxItems,
    },
    DialogTemplate{
        IDD_MAIN_DIALOG,
        TemplateKind::Extended,
        LANG_JAPANESE_JAPAN,
        "Quillet",
        WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT,
        WS_EX_APPWINDOW,
        0,
        0,
        251,
        153,
        "",
        "",
        DialogFont{9, "ＭＳ Ｐゴシック", 0, false, DEFAULT_CHARSET},
        kMainDialogItems,
    },
};

constexpr std::array kIcons{
    ImageResource{IDI_APP_ICON, LANG_JAPANESE_JAPAN, ":/quillet/res/app_icon.ico"},
};

constexpr std::array kBitmaps{
    ImageResource{IDB_ABOUT_PICTURE, LANG_JAPANESE_JAPAN, ":/quillet/res/about_picture.bmp"},
};

constexpr std::array kStrings{
    StringResource{IDS_ABOUT_MENU, LANG_JAPANESE_JAPAN, "About Quillet(&A)..."},
};

// The version block's string table, in the order of its keys.
constexpr std::array kVersionStrings{
    VersionString{"Comments", ""},
    VersionString{"CompanyName", version::kCompanyName},
    VersionString{"FileDescription", version::kFileDescription},
    VersionString{"FileVersion", version::kVersionText},
    VersionString{"InternalName", version::kInternalName},
    VersionString{"LegalCopyright", version::kLegalCopyright},
    VersionString{"LegalTrademarks", ""},
    VersionString{"OriginalFilename", version::kOriginalFilename},
    VersionString{"PrivateBuild", ""},
    VersionString{"ProductName", version::kProductName},
    VersionString{"ProductVersion", version::kVersionText},
    VersionString{"SpecialBuild", ""},
};

constexpr VersionResource kVersion{
    version::kFileVersion,
    version::kProductVersion,
    VS_FFI_FILEFLAGSMASK,
    0,
    VOS__WINDOWS32,
    VFT_APP,
    0,
    version::kStringBlock,
    kVersionStrings,
    version::kLanguage,
    version::kCodePage,
};

constexpr ModuleResources kResources{kDialogs, kIcons, kBitmaps, kStrings, &kVersion};

}  // namespace

const ModuleResources& Resources() {
    return kResources;
}

}  // namespace quillet::res
