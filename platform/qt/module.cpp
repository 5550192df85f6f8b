#include "platform/qt/module.h"

#include <QString>
#include <algorithm>

namespace quillet {
namespace {

const ModuleResources* g_resources = nullptr;

const ImageResource* FindImage(std::span<const ImageResource> images, int id) {
    const auto found = std::find_if(images.begin(), images.end(),
                                    [id](const ImageResource& image) { return image.id == id; });
    return found == images.end() ? nullptr : &*found;
}

QString PathOf(const ImageResource& image) {
    return QString::fromUtf8(image.path.data(), static_cast<qsizetype>(image.path.size()));
}

}  // namespace

void SetModuleResources(const ModuleResources* resources) {
    g_resources = resources;
}

const DialogTemplate* FindDialogTemplate(int id) {
    if (g_resources == nullptr) {
        return nullptr;
    }
    const auto& dialogs = g_resources->dialogs;
    const auto found = std::find_if(dialogs.begin(), dialogs.end(),
                                    [id](const DialogTemplate& dialog) { return dialog.id == id; });
    return found == dialogs.end() ? nullptr : &*found;
}

QIcon LoadIcon(int id) {
    const ImageResource* image =
        g_resources != nullptr ? FindImage(g_resources->icons, id) : nullptr;
    return image != nullptr ? QIcon(PathOf(*image)) : QIcon();
}

QPixmap LoadBitmap(int id) {
    const ImageResource* image =
        g_resources != nullptr ? FindImage(g_resources->bitmaps, id) : nullptr;
    return image != nullptr ? QPixmap(PathOf(*image)) : QPixmap();
}

}  // namespace quillet
