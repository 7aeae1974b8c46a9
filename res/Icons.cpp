#include "framework/Resources.h"
#include "resource.h"

#include "orvanel_icon_images.h" // generated: the application icon rendered at each size

#include <array>

namespace {
constexpr std::array kMainFrame = {
    IconImage{16, kIconPixels16},   IconImage{22, kIconPixels22},   IconImage{24, kIconPixels24},
    IconImage{32, kIconPixels32},   IconImage{48, kIconPixels48},   IconImage{64, kIconPixels64},
    IconImage{128, kIconPixels128}, IconImage{256, kIconPixels256},
};
} // namespace

std::span<const IconImage> iconImages(int id)
{
    if (id == IDR_MAINFRAME)
        return kMainFrame;
    return {};
}
