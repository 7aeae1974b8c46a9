#pragma once

#include "WindowsApi.h"

// Moves window to the centre of its owner, or of the work area when it has no owner on screen,
// keeping it inside the work area of that monitor.
void centreWindow(HWND window);
