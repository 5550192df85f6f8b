#pragma once

#include <QUrl>
#include <string>

namespace quillet {

// The help engine: shows the help file at the section for a context number.
class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    // False when the viewer could not be started.
    virtual bool ShowHelp(const std::string& helpFilePath, unsigned context) = 0;
};

// Opens the help page in the desktop's browser.
class DesktopHelpViewer final : public HelpViewer {
public:
    bool ShowHelp(const std::string& helpFilePath, unsigned context) override;
};

// The page's address at the section for the context: "#context-20066" for 0x20066.
QUrl HelpUrl(const std::string& helpFilePath, unsigned context);

}  // namespace quillet
