#include "framework/Resources.h"
#include "framework/WinApp.h"

#include <QIcon>
#include <QPixmap>

#include <map>
#include <memory>

HICON AfxLoadIcon(int nIDResource)
{
    // Each icon is made once and kept for the life of the process, as loaded resources are.
    static std::map<int, std::unique_ptr<QIcon>> loaded;
    auto& icon = loaded[nIDResource];
    if (!icon) {
        const std::span<const IconImage> images = iconImages(nIDResource);
        if (images.empty())
            return nullptr;
        icon = std::make_unique<QIcon>();
        for (const IconImage& image : images) {
            QPixmap pixmap;
            pixmap.loadFromData(image.data.data(), static_cast<uint>(image.data.size()));
            icon->addPixmap(pixmap);
        }
    }
    return reinterpret_cast<HICON>(icon.get());
}
