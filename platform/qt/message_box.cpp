#include "platform/qt/message_box.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QVariant>
#include <utility>
#include <vector>

#include "core/prompter.h"

namespace quillet {
namespace {

constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;
constexpr const char* kAnswerProperty = "quilletAnswer";

struct ButtonSpec {
    const char* text;
    int answer;
};

std::vector<ButtonSpec> ButtonsOf(unsigned type) {
    switch (type & MB_TYPEMASK) {
        case MB_OKCANCEL:
            return {{"OK", IDOK}, {"ｷｬﾝｾﾙ", IDCANCEL}};
        case MB_ABORTRETRYIGNORE:
            return {{"中止(&A)", IDABORT}, {"再試行(&R)", IDRETRY}, {"無視(&I)", IDIGNORE}};
        case MB_YESNOCANCEL:
            return {{"はい(&Y)", IDYES}, {"いいえ(&N)", IDNO}, {"ｷｬﾝｾﾙ", IDCANCEL}};
        case MB_YESNO:
            return {{"はい(&Y)", IDYES}, {"いいえ(&N)", IDNO}};
        case MB_RETRYCANCEL:
            return {{"再試行(&R)", IDRETRY}, {"ｷｬﾝｾﾙ", IDCANCEL}};
        default:
            return {{"OK", IDOK}};
    }
}

QMessageBox::Icon IconOf(unsigned type) {
    switch (type & MB_ICONMASK) {
        case MB_ICONHAND:
            return QMessageBox::Critical;
        case MB_ICONQUESTION:
            return QMessageBox::Question;
        case MB_ICONEXCLAMATION:
            return QMessageBox::Warning;
        case MB_ICONINFORMATION:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

}  // namespace

unsigned WithDefaultIcon(unsigned type) {
    if ((type & MB_ICONMASK) != 0) {
        return type;
    }
    switch (type & MB_TYPEMASK) {
        case MB_OK:
        case MB_OKCANCEL:
        case MB_YESNOCANCEL:
        case MB_YESNO:
            return type | MB_ICONEXCLAMATION;
        default:
            return type;
    }
}

std::unique_ptr<QMessageBox> BuildMessageBox(const MessageBoxRequest& request) {
    auto box = std::make_unique<QMessageBox>(request.owner.data());
    box->setWindowTitle(request.caption);
    box->setText(request.text);
    box->setTextFormat(Qt::PlainText);
    box->setIcon(IconOf(request.type));
    box->setWindowModality(Qt::ApplicationModal);
    const std::vector<ButtonSpec> buttons = ButtonsOf(request.type);
    QPushButton* escape = nullptr;
    for (std::size_t index = 0; index < buttons.size(); ++index) {
        // Added as action buttons so that the style keeps the order given, as the boxes have
        // always shown them.
        QPushButton* button =
            box->addButton(QString::fromUtf8(buttons[index].text), QMessageBox::ActionRole);
        button->setProperty(kAnswerProperty, buttons[index].answer);
        if (index == 0) {
            box->setDefaultButton(button);
        }
        if (buttons[index].answer == IDCANCEL || (buttons.size() == 1)) {
            escape = button;
        }
    }
    box->setEscapeButton(escape);
    return box;
}

int QtMessageBoxPresenter::Present(const MessageBoxRequest& request) {
    const std::unique_ptr<QMessageBox> box = BuildMessageBox(request);
    box->exec();
    const QAbstractButton* clicked = box->clickedButton();
    if (clicked == nullptr) {
        return IDCANCEL;
    }
    return clicked->property(kAnswerProperty).toInt();
}

}  // namespace quillet
