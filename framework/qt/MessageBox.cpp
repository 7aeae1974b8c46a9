// Message boxes on Qt.
#include "framework/Backend.h"
#include "framework/DialogTemplate.h"
#include "framework/Resources.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

HWND activeWindowForMessageBox()
{
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner)
        owner = QApplication::activeWindow();
    return reinterpret_cast<HWND>(owner);
}

int showPlatformMessageBox(const MessageBoxRequest& request)
{
    QMessageBox box(QMessageBox::Warning, QString::fromStdString(request.caption),
                    QString::fromStdString(request.text), QMessageBox::Ok,
                    reinterpret_cast<QWidget*>(request.owner));
    box.setInformativeText(QString::fromStdString(request.detail));
    box.button(QMessageBox::Ok)->setText(QString::fromStdString(loadString(AFX_IDS_OK)));
    box.exec();
    // As a dialog's owner does when it ends, the owner takes the activation back.
    if (QWidget* owner = box.parentWidget(); owner && owner->isVisible())
        owner->activateWindow();
    return IDOK;
}
