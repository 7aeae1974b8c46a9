#pragma once

#include "WindowsApi.h"

// The small image of an icon that AfxLoadIcon loaded, from the same resource; for any other icon
// the icon itself, which the window system then scales.
HICON smallIconOf(HICON icon);
