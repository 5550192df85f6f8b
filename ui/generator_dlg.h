#pragma once

#include <QIcon>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/qt/dialog.h"
#include "res/resource.h"

namespace quillet {

// The program's window: the four settings of a generation run in four edits, two "..."
// pickers for the paths, and the run on the default button. Stays open after every run.
class CGeneratorDlg : public CDialog {
public:
    static constexpr int IDD = IDD_MAIN_DIALOG;

    explicit CGeneratorDlg(QWidget* pParent = nullptr);

    bool OnCommand(int nID) override;
    // The About entry opens the About box; every other command gets the default processing.
    void OnSysCommand(unsigned nID, std::intptr_t lParam) override;

    std::string m_strBaseScript;
    std::string m_strTargetFolder;
    std::string m_strHeader;
    std::string m_strFooter;
    QIcon m_hAppIcon;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    bool OnInitDialog() override;
    void OnOK() override;

    void OnBrowseTargetFolder();
    void OnBrowseBaseScript();

private:
    static const std::array<CommandEntry<CGeneratorDlg>, 2> kMessageMap;
};

}  // namespace quillet
