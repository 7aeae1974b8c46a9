#pragma once

#include "framework/Dialog.h"
#include "framework/qt/DialogWindow.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <functional>

// Runs dlg modally: check runs on its window once the window is exposed (one that never is
// fails the test), and a dialog still open afterwards is ended with -1. Returns what DoModal
// returned.
inline int runShown(CDialog& dlg, const std::function<void(DialogWindow&)>& check)
{
    QTimer start;
    start.setSingleShot(true);
    QObject::connect(&start, &QTimer::timeout, [&] {
        DialogWindow* window = DialogWindow::of(dlg);
        if (window && QTest::qWaitForWindowExposed(window))
            check(*window);
        else
            QTest::qFail("the dialog's window never showed", __FILE__, __LINE__);
        if (dlg.IsWindowVisible())
            dlg.EndDialog(-1);
    });
    start.start(0);
    return dlg.DoModal();
}

// The modal dialog window on top of all others, null when none runs.
inline DialogWindow* activeDialogWindow()
{
    return qobject_cast<DialogWindow*>(QApplication::activeModalWidget());
}
