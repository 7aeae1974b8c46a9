#pragma once

#include "console/framework/DialogTemplate.h"
#include "console/framework/DlgInit.h"

#include <QIcon>

// The dialog template with the given id; every id the program uses has one.
const DialogTemplate& dialogTemplate(int id);

// What the dialog with the given id puts into its controls as it is created; empty for a dialog
// without initial data.
std::span<const DlgInitEntry> dialogInitData(int id);

// The string with the given id from the string table; empty for an unknown id.
QString loadString(int id);

// The icon with the given id, in all its sizes; a null icon for an unknown id.
QIcon loadIcon(int id);
