#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

namespace quillet::testing {

// Acts on the next modal window once it is up and holds the focus, from the event loop that
// the modal runs. Should none come up within a bounded number of turns of that loop, whatever
// modal window there is gets closed, so a broken test fails instead of hanging.
inline void WhenModalUp(std::function<void(QWidget*)> act) {
    auto* timer = new QTimer(qApp);
    timer->setInterval(0);
    auto turns = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, turns, act = std::move(act)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && modal->isVisible() && QApplication::focusWidget() != nullptr) {
            timer->stop();
            timer->deleteLater();
            act(modal);
            return;
        }
        if (++*turns > 200000) {
            timer->stop();
            timer->deleteLater();
            if (modal != nullptr) {
                modal->close();
            }
        }
    });
    timer->start();
}

}  // namespace quillet::testing
