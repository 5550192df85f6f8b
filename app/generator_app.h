#pragma once

#include "platform/qt/win_app.h"

namespace quillet {

// The application object: runs the main dialog modally; when it ends, the program ends.
class CGeneratorApp : public CWinApp {
public:
    CGeneratorApp();
    // Always false: there is no message loop after the dialog.
    bool InitInstance() override;
};

}  // namespace quillet
