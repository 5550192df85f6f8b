#pragma once

#include <QIcon>
#include <QPixmap>
#include <string>

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

// The string with this number in the program's character set (the locale's), as a text
// control holds it; empty when there is none.
std::string LoadString(int id);

// The version block; nullptr when the program carries none.
const VersionResource* FindVersionResource();

}  // namespace quillet
