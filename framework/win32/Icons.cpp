// Icons from the executable's own resources, in the sizes the window system asks for.
#include "WindowsApi.h"

#include "Icons.h"

#include "framework/WinApp.h"

#include <map>

namespace {
// The big image of each icon loaded, with its small image.
std::map<HICON, HICON>& smallImages()
{
    static std::map<HICON, HICON> images;
    return images;
}

HICON loadImage(int id, int sizeX, int sizeY)
{
    // Shared images are the system's: loaded once per size and kept for the process.
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                         IMAGE_ICON, GetSystemMetrics(sizeX),
                                         GetSystemMetrics(sizeY), LR_SHARED));
}
} // namespace

HICON AfxLoadIcon(int nIDResource)
{
    // Resource ids are 16-bit; a larger number would be taken for a resource name's address.
    if (nIDResource <= 0 || nIDResource > 0xFFFF)
        return nullptr;
    const HICON big = loadImage(nIDResource, SM_CXICON, SM_CYICON);
    if (big)
        smallImages().try_emplace(big, loadImage(nIDResource, SM_CXSMICON, SM_CYSMICON));
    return big;
}

HICON smallIconOf(HICON icon)
{
    const auto found = smallImages().find(icon);
    return found != smallImages().end() && found->second ? found->second : icon;
}
