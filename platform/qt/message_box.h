#pragma once

#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>

namespace quillet {

// Box types beyond those a generation run asks for, so the icon rule covers every type.
inline constexpr unsigned MB_ABORTRETRYIGNORE = 0x02;
inline constexpr unsigned MB_YESNOCANCEL = 0x03;
inline constexpr unsigned MB_YESNO = 0x04;
inline constexpr unsigned MB_RETRYCANCEL = 0x05;
inline constexpr unsigned MB_TYPEMASK = 0x0F;
inline constexpr unsigned MB_ICONHAND = 0x10;
inline constexpr unsigned MB_ICONQUESTION = 0x20;

// Everything a message box shows: its owner (disabled while it is up), caption, text and type
// (MB_* buttons and icon).
struct MessageBoxRequest {
    QPointer<QWidget> owner;
    QString caption;
    QString text;
    unsigned type = 0;
};

// Shows message boxes and returns the button pressed (IDOK, IDCANCEL). Tests put one in
// that answers without a window.
class MessageBoxPresenter {
public:
    virtual ~MessageBoxPresenter() = default;
    virtual int Present(const MessageBoxRequest& request) = 0;
};

// The real boxes: buttons "OK" and "ｷｬﾝｾﾙ", the first one the default, Escape answering
// Cancel (OK in a box that has only OK).
class QtMessageBoxPresenter final : public MessageBoxPresenter {
public:
    int Present(const MessageBoxRequest& request) override;
};

// The box that Present shows, built but not shown, with each button's answer stored in its
// "quilletAnswer" property.
std::unique_ptr<QMessageBox> BuildMessageBox(const MessageBoxRequest& request);

// The type with the icon that a box naming none gets: the exclamation mark for OK, OK and
// Cancel, Yes, No and Cancel, and Yes and No; the other types stay without an icon.
unsigned WithDefaultIcon(unsigned type);

}  // namespace quillet
