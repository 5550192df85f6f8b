#pragma once

#include <QFileDialog>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>

namespace quillet {

// Open and save dialog flags.
inline constexpr unsigned OFN_OVERWRITEPROMPT = 0x00000002;
inline constexpr unsigned OFN_HIDEREADONLY = 0x00000004;
inline constexpr unsigned OFN_NOCHANGEDIR = 0x00000008;
inline constexpr unsigned OFN_PATHMUSTEXIST = 0x00000800;
inline constexpr unsigned OFN_FILEMUSTEXIST = 0x00001000;

// Folder picker flags.
inline constexpr unsigned BIF_RETURNONLYFSDIRS = 0x0001;

// One picker to show: an existing or new file, or a folder.
struct FileDialogRequest {
    enum class Kind { Open, Save, Folder };
    Kind kind = Kind::Open;
    QPointer<QWidget> owner;
    QString title;   // empty: the picker's own title
    QString filter;  // pairs of label and patterns, each followed by '|'; empty: every file
    unsigned flags = 0;
};

// Shows pickers and returns the chosen path as the file system's own bytes, or nothing when
// the user did not confirm one. Tests put one in that answers without a window.
class FilePickerService {
public:
    virtual ~FilePickerService() = default;
    virtual std::optional<std::string> Pick(const FileDialogRequest& request) = 0;
};

// Qt's own file dialog (not the desktop's), the same on every desktop and drivable by keys.
class QtFilePickerService final : public FilePickerService {
public:
    std::optional<std::string> Pick(const FileDialogRequest& request) override;
};

// The dialog that Pick shows, configured but not shown.
std::unique_ptr<QFileDialog> BuildFileDialog(const FileDialogRequest& request);

// The chosen path as Pick returns it: a folder without a trailing '/' (the root excepted).
std::string PickedPath(const QString& path, FileDialogRequest::Kind kind);

// The open and save dialog of the program's code, answered by the application's picker
// service.
class CFileDialog {
public:
    CFileDialog(bool bOpenFileDialog, const char* lpszDefExt, const char* lpszFileName,
                unsigned dwFlags, const char* lpszFilter, QWidget* pParentWnd = nullptr);

    // IDOK when a path was chosen, IDCANCEL otherwise.
    int DoModal();
    [[nodiscard]] std::string GetPathName() const { return m_pathName; }

    // The title; empty gives the picker's own.
    QString m_title;

private:
    FileDialogRequest m_request;
    std::string m_pathName;
};

// The folder picker: a full folder path, or nothing when the user did not confirm one.
std::optional<std::string> BrowseForFolder(QWidget* owner, const QString& title, unsigned flags);

}  // namespace quillet
