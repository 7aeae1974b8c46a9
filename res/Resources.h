#pragma once

#include "console/framework/DialogTemplate.h"

#include <QIcon>

// The dialog template with the given id; every id the program uses has one.
const DialogTemplate& dialogTemplate(int id);

// The icon with the given id, in all its sizes; a null icon for an unknown id.
QIcon loadIcon(int id);
