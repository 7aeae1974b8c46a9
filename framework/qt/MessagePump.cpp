#include "framework/MessagePump.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {
// Holds back the keys by which a dialog moves its focus and presses its buttons, for the windows
// of the modal level at which the pump was entered. Edits, trackbars and push buttons do nothing
// of their own with these keys (Enter on a push button is the dialog's default-button handling),
// so holding them back before delivery takes nothing from the controls; every other key, the
// arrows on a trackbar and typing in an edit among them, goes through as usual.
class DialogKeyFilter : public QObject
{
public:
    explicit DialogKeyFilter(QWidget* modal) : m_modal(modal) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
            return false;
        // A box or dialog opened during the pass, or an open drop-down list, handles its keys.
        if (QApplication::activeModalWidget() != m_modal || QApplication::activePopupWidget())
            return false;
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            // Accepted, so the key does not travel on to the dialog either.
            event->accept();
            return true;
        default:
            return false;
        }
    }

private:
    QWidget* const m_modal;
};
} // namespace

void PumpWaitingMessages()
{
    DialogKeyFilter filter(QApplication::activeModalWidget());
    QCoreApplication::instance()->installEventFilter(&filter);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::instance()->removeEventFilter(&filter);
}
