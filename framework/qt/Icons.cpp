#include "framework/Resources.h"
#include "framework/WinApp.h"

#include <QIcon>
#include <QImage>
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
            // Qt's own pixel layout: the image is shown as it is, with no conversion.
            const QImage pixels(reinterpret_cast<const uchar*>(image.pixels.data()), image.size,
                                image.size, QImage::Format_ARGB32_Premultiplied);
            icon->addPixmap(QPixmap::fromImage(pixels));
        }
    }
    return reinterpret_cast<HICON>(icon.get());
}
