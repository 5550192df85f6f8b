#include "platform/qt/file_dialog.h"

#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QStringList>
#include <utility>

#include "core/prompter.h"
#include "platform/qt/win_app.h"

namespace quillet {
namespace {

struct NameFilter {
    QString label;
    QStringList patterns;
};

// "label|patterns|label|patterns|": each label shown as it is, its patterns separated by ';'.
// "*.*" means every file, also one whose name has no '.', as it always has on the dialogs'
// home platform.
std::vector<NameFilter> ParseFilter(const QString& filter) {
    std::vector<NameFilter> filters;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype index = 0; index + 1 < parts.size(); index += 2) {
        if (parts[index].isEmpty()) {
            break;
        }
        QStringList patterns;
        for (const QString& pattern :
             parts[index + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            patterns << (pattern.trimmed() == QStringLiteral("*.*") ? QStringLiteral("*")
                                                                    : pattern.trimmed());
        }
        filters.push_back({parts[index], patterns});
    }
    return filters;
}

}  // namespace

std::unique_ptr<QFileDialog> BuildFileDialog(const FileDialogRequest& request) {
    auto dialog = std::make_unique<QFileDialog>(request.owner.data());
    dialog->setOption(QFileDialog::DontUseNativeDialog, true);
    dialog->setWindowModality(Qt::ApplicationModal);
    if (!request.title.isEmpty()) {
        dialog->setWindowTitle(request.title);
    }
    switch (request.kind) {
        case FileDialogRequest::Kind::Open:
            dialog->setAcceptMode(QFileDialog::AcceptOpen);
            dialog->setFileMode((request.flags & OFN_FILEMUSTEXIST) != 0 ? QFileDialog::ExistingFile
                                                                         : QFileDialog::AnyFile);
            break;
        case FileDialogRequest::Kind::Save:
            dialog->setAcceptMode(QFileDialog::AcceptSave);
            dialog->setFileMode(QFileDialog::AnyFile);
            // The caller asks about an existing file itself.
            dialog->setOption(QFileDialog::DontConfirmOverwrite,
                              (request.flags & OFN_OVERWRITEPROMPT) == 0);
            break;
        case FileDialogRequest::Kind::Folder:
            dialog->setAcceptMode(QFileDialog::AcceptOpen);
            dialog->setFileMode(QFileDialog::Directory);
            dialog->setOption(QFileDialog::ShowDirsOnly, true);
            // No folder is preselected: the picker starts where the user's desktop is.
            dialog->setDirectory(QDir::homePath());
            return dialog;
    }
    dialog->setDefaultSuffix(QString());

    const std::vector<NameFilter> filters = ParseFilter(request.filter);
    if (filters.empty()) {
        return dialog;
    }
    QStringList labels;
    for (const NameFilter& filter : filters) {
        labels << filter.label;
    }
    dialog->setNameFilters(labels);
    // The dialog reads the patterns out of the label's parentheses, where "*.*" would hide
    // every name without a '.'; the patterns the filter text gives replace them.
    auto* model = dialog->findChild<QFileSystemModel*>();
    if (model != nullptr) {
        const auto apply = [model, filters](const QString& label) {
            for (const NameFilter& filter : filters) {
                if (filter.label == label) {
                    model->setNameFilters(filter.patterns);
                    return;
                }
            }
        };
        QObject::connect(dialog.get(), &QFileDialog::filterSelected, dialog.get(), apply);
        apply(labels.front());
    }
    return dialog;
}

std::string PickedPath(const QString& path, FileDialogRequest::Kind kind) {
    const QString chosen = kind == FileDialogRequest::Kind::Folder ? QDir::cleanPath(path) : path;
    const QByteArray bytes = QFile::encodeName(chosen);
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

std::optional<std::string> QtFilePickerService::Pick(const FileDialogRequest& request) {
    const std::unique_ptr<QFileDialog> dialog = BuildFileDialog(request);
    if (dialog->exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const QStringList files = dialog->selectedFiles();
    if (files.isEmpty() || files.front().isEmpty()) {
        return std::nullopt;
    }
    return PickedPath(files.front(), request.kind);
}

CFileDialog::CFileDialog(bool bOpenFileDialog, const char* lpszDefExt, const char* lpszFileName,
                         unsigned dwFlags, const char* lpszFilter, QWidget* pParentWnd) {
    // Neither a default extension nor an initial name is ever given; nothing is appended to
    // the name the user types.
    (void)lpszDefExt;
    (void)lpszFileName;
    m_request.kind =
        bOpenFileDialog ? FileDialogRequest::Kind::Open : FileDialogRequest::Kind::Save;
    m_request.flags = dwFlags;
    m_request.filter = lpszFilter != nullptr ? QString::fromUtf8(lpszFilter) : QString();
    m_request.owner = pParentWnd;
}

int CFileDialog::DoModal() {
    FileDialogRequest request = m_request;
    request.title = m_title;
    // With no parent given, the application's main window owns the picker.
    if (request.owner.isNull()) {
        request.owner = AfxGetMainWnd();
    }
    CWinApp* app = AfxGetApp();
    if (app == nullptr) {
        return IDCANCEL;
    }
    const std::optional<std::string> path = app->FilePickers().Pick(request);
    if (!path) {
        return IDCANCEL;
    }
    m_pathName = *path;
    return IDOK;
}

std::optional<std::string> BrowseForFolder(QWidget* owner, const QString& title, unsigned flags) {
    CWinApp* app = AfxGetApp();
    if (app == nullptr) {
        return std::nullopt;
    }
    FileDialogRequest request;
    request.kind = FileDialogRequest::Kind::Folder;
    request.owner = owner;
    request.title = title;
    request.flags = flags;
    return app->FilePickers().Pick(request);
}

}  // namespace quillet
