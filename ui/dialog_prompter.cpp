#include "ui/dialog_prompter.h"

#include <QString>

#include "platform/qt/file_dialog.h"
#include "platform/qt/win_app.h"
#include "ui/strings.h"

namespace quillet {

std::optional<std::string> DialogPrompter::PromptSavePath() {
    CFileDialog dialog(false, nullptr, nullptr, OFN_HIDEREADONLY, strings::kScriptFilter);
    dialog.m_title = QString::fromUtf8(strings::kSaveTitle.data(),
                                       static_cast<qsizetype>(strings::kSaveTitle.size()));
    if (dialog.DoModal() != IDOK) {
        return std::nullopt;
    }
    return dialog.GetPathName();
}

int DialogPrompter::ShowMessageBox(std::string_view text, unsigned type) {
    return AfxMessageBox(text, type);
}

}  // namespace quillet
