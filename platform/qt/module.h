#pragma once

#include <QIcon>
#include <QPixmap>

#include "platform/qt/resource_format.h"

namespace quillet {

// Binds the program's resources, as the linker would bind them into the executable. Must
// outlive every dialog; nullptr unbinds.
void SetModuleResources(const ModuleResources* resources);

// The dialog template with this number, or nullptr.
const DialogTemplate* FindDialogTemplate(int id);

// The icon group with this number, every image size it holds; a null icon when there is none.
QIcon LoadIcon(int id);

// The picture with this number; a null pixmap when there is none.
QPixmap LoadBitmap(int id);

}  // namespace quillet
