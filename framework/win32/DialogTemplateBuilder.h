#pragma once

#include "WindowsApi.h"

#include <vector>

// The program's dialog template as Windows takes it in memory, for DialogBoxIndirectParamW: an
// extended template (DLGTEMPLATEEX) followed by one DLGITEMTEMPLATEEX per control, in template
// order, each starting on a DWORD boundary. The dialog sits at the origin, with the template's
// style, extended style, caption and, under DS_SETFONT, its font. Each control is a visible child
// of the window class its kind stands for, with the template's style, position and size.
std::vector<WORD> buildDialogTemplate(const DialogTemplate& dialogTemplate);
