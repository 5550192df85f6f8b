#pragma once

// The program's resources as data: dialog templates, icons and pictures, in the terms the
// dialogs were designed in (window classes, style bits, dialog units). No Qt here: the tables
// live in res/ and the dialog layer turns them into widgets.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace quillet {

// Window styles.
inline constexpr std::uint32_t WS_POPUP = 0x80000000;
inline constexpr std::uint32_t WS_CHILD = 0x40000000;
inline constexpr std::uint32_t WS_VISIBLE = 0x10000000;
inline constexpr std::uint32_t WS_DISABLED = 0x08000000;
inline constexpr std::uint32_t WS_CAPTION = 0x00C00000;
inline constexpr std::uint32_t WS_BORDER = 0x00800000;
inline constexpr std::uint32_t WS_VSCROLL = 0x00200000;
inline constexpr std::uint32_t WS_HSCROLL = 0x00100000;
inline constexpr std::uint32_t WS_SYSMENU = 0x00080000;
inline constexpr std::uint32_t WS_THICKFRAME = 0x00040000;
inline constexpr std::uint32_t WS_GROUP = 0x00020000;
inline constexpr std::uint32_t WS_TABSTOP = 0x00010000;
inline constexpr std::uint32_t WS_MINIMIZEBOX = 0x00020000;
inline constexpr std::uint32_t WS_MAXIMIZEBOX = 0x00010000;
inline constexpr std::uint32_t WS_EX_APPWINDOW = 0x00040000;

// Dialog styles.
inline constexpr std::uint32_t DS_SETFONT = 0x0040;
inline constexpr std::uint32_t DS_MODALFRAME = 0x0080;
inline constexpr std::uint32_t DS_CENTER = 0x0800;

// Button styles.
inline constexpr std::uint32_t BS_PUSHBUTTON = 0x0;
inline constexpr std::uint32_t BS_DEFPUSHBUTTON = 0x1;
inline constexpr std::uint32_t BS_CHECKBOX = 0x2;
inline constexpr std::uint32_t BS_AUTOCHECKBOX = 0x3;
inline constexpr std::uint32_t BS_GROUPBOX = 0x7;
inline constexpr std::uint32_t BS_TYPEMASK = 0xF;

// Edit styles.
inline constexpr std::uint32_t ES_LEFT = 0x0000;
inline constexpr std::uint32_t ES_CENTER = 0x0001;
inline constexpr std::uint32_t ES_RIGHT = 0x0002;
inline constexpr std::uint32_t ES_MULTILINE = 0x0004;
inline constexpr std::uint32_t ES_PASSWORD = 0x0020;
inline constexpr std::uint32_t ES_AUTOVSCROLL = 0x0040;
inline constexpr std::uint32_t ES_AUTOHSCROLL = 0x0080;
inline constexpr std::uint32_t ES_READONLY = 0x0800;
inline constexpr std::uint32_t ES_WANTRETURN = 0x1000;

// Static styles.
inline constexpr std::uint32_t SS_LEFT = 0x00;
inline constexpr std::uint32_t SS_CENTER = 0x01;
inline constexpr std::uint32_t SS_RIGHT = 0x02;
inline constexpr std::uint32_t SS_ICON = 0x03;
inline constexpr std::uint32_t SS_BITMAP = 0x0E;
inline constexpr std::uint32_t SS_TYPEMASK = 0x1F;
inline constexpr std::uint32_t SS_NOPREFIX = 0x80;
inline constexpr std::uint32_t SS_CENTERIMAGE = 0x200;

inline constexpr int DEFAULT_CHARSET = 1;
inline constexpr std::uint16_t LANG_JAPANESE_JAPAN = 0x0411;

// A control's text, or the number of the resource it shows (an icon for SS_ICON, a picture for
// SS_BITMAP).
struct TemplateText {
    std::string_view text;
    int resource = 0;
};

// One control of a dialog template. Texts are UTF-8; positions and sizes in dialog units.
struct DialogItemTemplate {
    int id;
    std::string_view windowClass;  // "BUTTON", "EDIT", "STATIC"
    TemplateText text;
    std::uint32_t style;
    std::uint32_t exStyle;
    int x;
    int y;
    int cx;
    int cy;
    std::uint32_t helpId;
};

struct DialogFont {
    int pointSize;
    std::string_view face;
    int weight;
    bool italic;
    int charset;
};

// Classic templates carry neither weight, italic nor charset of the font, nor help ids.
enum class TemplateKind { Classic, Extended };

struct DialogTemplate {
    int id;
    TemplateKind kind;
    std::uint16_t language;
    std::string_view caption;
    std::uint32_t style;
    std::uint32_t exStyle;
    int x;
    int y;
    int cx;
    int cy;
    std::string_view menu;         // empty: none
    std::string_view windowClass;  // empty: the dialog class
    DialogFont font;
    std::span<const DialogItemTemplate> items;
};

// An icon group or a picture, stored as an image file inside the program (a Qt resource path).
struct ImageResource {
    int id;
    std::uint16_t language;
    std::string_view path;
};

// One string of the string table (UTF-8).
struct StringResource {
    int id;
    std::uint16_t language;
    std::string_view text;
};

// One key of the version block's string table, with its value (UTF-8).
struct VersionString {
    std::string_view key;
    std::string_view value;
};

inline constexpr std::uint32_t VS_FFI_FILEFLAGSMASK = 0x3F;
// The name the version block format gives this operating system value.
inline constexpr std::uint32_t VOS__WINDOWS32 = 0x4;  // NOLINT(bugprone-reserved-identifier)
inline constexpr std::uint32_t VFT_APP = 0x1;

// The version block: the fixed part, one string table and its translation.
struct VersionResource {
    std::array<std::uint16_t, 4> fileVersion;
    std::array<std::uint16_t, 4> productVersion;
    std::uint32_t fileFlagsMask;
    std::uint32_t fileFlags;
    std::uint32_t fileOS;
    std::uint32_t fileType;
    std::uint32_t fileSubtype;
    std::string_view stringBlock;  // language and code page in hex: "041104b0"
    std::span<const VersionString> strings;
    std::uint16_t translationLanguage;
    std::uint16_t translationCodePage;
};

// Everything a program carries: what the dialog layer finds by number.
struct ModuleResources {
    std::span<const DialogTemplate> dialogs;
    std::span<const ImageResource> icons;
    std::span<const ImageResource> bitmaps;
    std::span<const StringResource> strings;
    const VersionResource* version;
};

}  // namespace quillet
