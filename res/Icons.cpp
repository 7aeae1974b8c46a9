#include "framework/Resources.h"
#include "resource.h"

#include "orvanel_icon_images.h" // generated: the application icon's images

#include <array>

namespace {
constexpr std::array kMainFrame = {
    IconImage{16, kIconImage16},
    IconImage{32, kIconImage32},
};
} // namespace

std::span<const IconImage> iconImages(int id)
{
    if (id == IDR_MAINFRAME)
        return kMainFrame;
    return {};
}
