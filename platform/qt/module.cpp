#include "platform/qt/module.h"

#include <QString>
#include <algorithm>

#include "platform/qt/text_codec.h"

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

std::string LoadString(int id) {
    if (g_resources == nullptr) {
        return {};
    }
    const auto& strings = g_resources->strings;
    const auto found = std::find_if(strings.begin(), strings.end(),
                                    [id](const StringResource& entry) { return entry.id == id; });
    if (found == strings.end()) {
        return {};
    }
    return LocaleTextCodec().FromUnicode(
        QString::fromUtf8(found->text.data(), static_cast<qsizetype>(found->text.size())));
}

const VersionResource* FindVersionResource() {
    return g_resources != nullptr ? g_resources->version : nullptr;
}

}  // namespace quillet
