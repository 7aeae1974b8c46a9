#include "framework/Resources.h"
#include "resource.h"

#include "orvanel_icon_images.h" // generated: the application icon rendered at each size

#include <array>

namespace {
constexpr std::array kMainFrame = {
    IconImage{16, kIconImage16},   IconImage{22, kIconImage22},   IconImage{24, kIconImage24},
    IconImage{32, kIconImage32},   IconImage{48, kIconImage48},   IconImage{64, kIconImage64},
    IconImage{128, kIconImage128}, IconImage{256, kIconImage256},
};
} // namespace

std::span<const IconImage> iconImages(int id)
{
    if (id == IDR_MAINFRAME)
        return kMainFrame;
    return {};
}
