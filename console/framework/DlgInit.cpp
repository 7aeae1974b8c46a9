#include "DlgInit.h"

#include "Dialog.h"

#include <QComboBox>

void ExecuteDlgInit(CDialog& dialog, std::span<const DlgInitEntry> entries)
{
    for (const DlgInitEntry& entry : entries) {
        auto* list = qobject_cast<QComboBox*>(dialog.GetDlgItem(entry.id));
        Q_ASSERT_X(list && entry.message == CB_ADDSTRING, "ExecuteDlgInit",
                   "initial data for a control that takes none");
        if (list && entry.message == CB_ADDSTRING)
            list->addItem(QString::fromUtf8(entry.text));
    }
}
