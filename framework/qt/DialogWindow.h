#pragma once

#include "framework/Dialog.h"
#include "framework/DialogTemplate.h"

#include "DialogUnits.h"

#include <QDialog>
#include <QHash>

class QMenu;

// The window of a running CDialog: a QDialog with the template's controls, which reports the
// operator's clicks, the trackbars' paints and the window menu's commands to its CDialog.
class DialogWindow : public QDialog
{
    Q_OBJECT

public:
    DialogWindow(CDialog& dialog, const DialogTemplate& dialogTemplate, QWidget* parent);

    // The window of a running dialog, null when it does not run.
    static DialogWindow* of(const CDialog& dialog) { return dialog.m_pWindow.get(); }
    // The CDialog that runs window, null when it is no dialog's window.
    static CDialog* dialogOf(const QWidget* window);

    CDialog& dialog() const { return m_dialog; }
    QWidget* item(int id) const { return m_items.value(id); }
    // The window menu, made on first use with the window's own commands; null when the template
    // has none. revert drops the items the dialog added.
    QMenu* systemMenu(bool revert);

    // Moves the focus to the first control that takes it by Tab.
    void focusFirstTabStop();

    // Starts, or starts again, the dialog's timer of the dialog's own id.
    bool startDialogTimer(unsigned id, unsigned intervalMs);

    void reject() override;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    void createControls();
    void runInitData();

    CDialog& m_dialog;
    const DialogTemplate& m_template;
    DialogBaseUnits m_units;
    QHash<int, QWidget*> m_items;
    QMenu* m_systemMenu = nullptr;
    QHash<unsigned, int> m_timers; // the dialog's timer ids → Qt's
};
