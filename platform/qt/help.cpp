#include "platform/qt/help.h"

#include <QDesktopServices>
#include <QFile>
#include <QString>

namespace quillet {

QUrl HelpUrl(const std::string& helpFilePath, unsigned context) {
    QUrl url = QUrl::fromLocalFile(QFile::decodeName(
        QByteArray(helpFilePath.data(), static_cast<qsizetype>(helpFilePath.size()))));
    url.setFragment(QStringLiteral("context-") + QString::number(context, 16));
    return url;
}

bool DesktopHelpViewer::ShowHelp(const std::string& helpFilePath, unsigned context) {
    return QDesktopServices::openUrl(HelpUrl(helpFilePath, context));
}

}  // namespace quillet
