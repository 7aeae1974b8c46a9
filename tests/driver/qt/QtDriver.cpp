// The test driver on the Qt backend: controls are the dialog window's widgets, input goes
// through QTest as the window system would deliver it, and queued input is posted events.
#include "driver/Driver.h"

#include "framework/qt/DialogWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

namespace driver {
namespace {
constexpr int kShowTimeoutMs = 5000;

DialogWindow* windowOf(CDialog& dlg)
{
    DialogWindow* window = DialogWindow::of(dlg);
    if (!window)
        ADD_FAILURE() << "the dialog does not run";
    return window;
}

QWidget* controlOf(CDialog& dlg, int id)
{
    DialogWindow* window = windowOf(dlg);
    if (!window || id == 0)
        return window;
    QWidget* control = window->item(id);
    if (!control)
        ADD_FAILURE() << "the dialog has no control " << id;
    return control;
}

template <typename T> T* controlOf(CDialog& dlg, int id, const char* kind)
{
    QWidget* control = controlOf(dlg, id);
    auto* typed = qobject_cast<T*>(control);
    if (control && !typed)
        ADD_FAILURE() << "control " << id << " is no " << kind;
    return typed;
}

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

struct QtKey
{
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    QString text;
};

QtKey qtKey(Key key)
{
    switch (key) {
    case Key::Tab:
        return {Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t")};
    case Key::ShiftTab:
        return {Qt::Key_Backtab, Qt::ShiftModifier, {}};
    case Key::Enter:
        return {Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r")};
    case Key::KeypadEnter:
        return {Qt::Key_Enter, Qt::KeypadModifier, QStringLiteral("\r")};
    case Key::Escape:
        return {Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b")};
    case Key::Up:
        return {Qt::Key_Up, Qt::NoModifier, {}};
    case Key::Down:
        return {Qt::Key_Down, Qt::NoModifier, {}};
    case Key::Left:
        return {Qt::Key_Left, Qt::NoModifier, {}};
    case Key::Right:
        return {Qt::Key_Right, Qt::NoModifier, {}};
    case Key::PageUp:
        return {Qt::Key_PageUp, Qt::NoModifier, {}};
    case Key::PageDown:
        return {Qt::Key_PageDown, Qt::NoModifier, {}};
    case Key::Home:
        return {Qt::Key_Home, Qt::NoModifier, {}};
    case Key::End:
        return {Qt::Key_End, Qt::NoModifier, {}};
    }
    return {Qt::Key_unknown, Qt::NoModifier, {}};
}

// The keys that type text, one per character; characters beyond printable ASCII carry no key
// code, only their text.
std::vector<QtKey> typingKeys(std::string_view text)
{
    std::vector<QtKey> keys;
    for (const char32_t c : fromUtf8(text).toUcs4()) {
        const QString character = QString::fromUcs4(&c, 1);
        const QString upper = character.toUpper();
        const auto key =
            upper.size() == 1 && upper[0].unicode() >= 0x20 && upper[0].unicode() < 0x7f
                ? static_cast<Qt::Key>(upper[0].unicode())
                : Qt::Key_unknown;
        keys.push_back({key, Qt::NoModifier, character});
    }
    return keys;
}

void focus(QWidget* control)
{
    if (control && !control->hasFocus())
        control->setFocus(Qt::OtherFocusReason);
}

void sendKey(QWidget* control, const QtKey& key)
{
    QTest::sendKeyEvent(QTest::Click, control, key.key, key.text, key.modifiers);
}

void postKeyEvents(QWidget* control, const QtKey& key)
{
    QCoreApplication::postEvent(control,
                                new QKeyEvent(QEvent::KeyPress, key.key, key.modifiers, key.text));
    QCoreApplication::postEvent(
        control, new QKeyEvent(QEvent::KeyRelease, key.key, key.modifiers, key.text));
}

bool isExposed(CDialog& dlg)
{
    const DialogWindow* window = DialogWindow::of(dlg);
    return window && window->isVisible() && window->windowHandle() &&
           window->windowHandle()->isExposed();
}

// Runs script on dlg once its window is on screen, then ends the dialog if it is still open.
void drive(CDialog& dlg, const std::function<void()>& script)
{
    if (waitUntil([&] { return isExposed(dlg); }, kShowTimeoutMs))
        script();
    else
        ADD_FAILURE() << "the dialog's window never showed";
    if (dlg.IsWindowVisible())
        dlg.EndDialog(-1);
}

// Waits for the next dialog over the one that was on top when it was made, and drives it. It
// lives as long as that dialog's window, so a dialog that never came is reported in the test
// that expected it.
class NextDialogWatcher : public QObject
{
public:
    NextDialogWatcher(QObject* parent, CDialog* below, std::function<void(CDialog&)> script,
                      int timeoutMs)
        : QObject(parent), m_below(below), m_script(std::move(script)), m_deadline(timeoutMs)
    {
        m_poll.setInterval(5);
        connect(&m_poll, &QTimer::timeout, this, &NextDialogWatcher::look);
        m_poll.start();
    }

    ~NextDialogWatcher() override
    {
        if (m_poll.isActive())
            ADD_FAILURE() << "no dialog came up before the one it was to open over closed";
    }

private:
    void look()
    {
        CDialog* top = activeDialog();
        if (top && top != m_below) {
            m_poll.stop();
            drive(*top, [this, top] { m_script(*top); });
        } else if (m_deadline.hasExpired()) {
            m_poll.stop();
            ADD_FAILURE() << "no dialog came up";
        }
    }

    CDialog* const m_below;
    const std::function<void(CDialog&)> m_script;
    const QDeadlineTimer m_deadline;
    QTimer m_poll;
};
} // namespace

int runModal(CDialog& dlg, const std::function<void()>& script)
{
    // Owned here, so that it cannot fire after a run that ended before it did.
    QTimer start;
    start.setSingleShot(true);
    QObject::connect(&start, &QTimer::timeout, [&] { drive(dlg, script); });
    start.start(0);
    return dlg.DoModal();
}

void driveNextDialog(std::function<void(CDialog& dlg)> script, int timeoutMs)
{
    CDialog* below = activeDialog();
    QObject* parent = below ? static_cast<QObject*>(DialogWindow::of(*below)) : qApp;
    new NextDialogWatcher(parent, below, std::move(script), timeoutMs);
}

void click(CDialog& dlg, int id)
{
    if (QWidget* control = controlOf(dlg, id))
        QTest::mouseClick(control, Qt::LeftButton);
}

void pressKey(CDialog& dlg, int id, Key key)
{
    if (QWidget* control = controlOf(dlg, id)) {
        focus(control);
        sendKey(control, qtKey(key));
    }
}

void typeText(CDialog& dlg, int id, std::string_view text)
{
    auto* field = controlOf<QLineEdit>(dlg, id, "field");
    if (!field)
        return;
    focus(field);
    // Select everything and type over it; with nothing to type, delete it.
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    if (text.empty())
        QTest::keyClick(field, Qt::Key_Delete);
    for (const QtKey& key : typingKeys(text))
        sendKey(field, key);
}

void setFocus(CDialog& dlg, int id)
{
    focus(controlOf(dlg, id));
}

void closeWindow(CDialog& dlg)
{
    if (DialogWindow* window = windowOf(dlg))
        window->close();
}

void postClick(CDialog& dlg, int id)
{
    QWidget* control = controlOf(dlg, id);
    if (!control)
        return;
    const QPointF pos = QRectF(control->rect()).center();
    const QPointF global = control->mapToGlobal(pos);
    QCoreApplication::postEvent(control,
                                new QMouseEvent(QEvent::MouseButtonPress, pos, global,
                                                Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(control,
                                new QMouseEvent(QEvent::MouseButtonRelease, pos, global,
                                                Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
}

void postKey(CDialog& dlg, int id, Key key)
{
    if (QWidget* control = controlOf(dlg, id))
        postKeyEvents(control, qtKey(key));
}

void postTyping(CDialog& dlg, int id, std::string_view text)
{
    if (auto* field = controlOf<QLineEdit>(dlg, id, "field")) {
        for (const QtKey& key : typingKeys(text))
            postKeyEvents(field, key);
    }
}

void postCloseWindow(CDialog& dlg)
{
    if (DialogWindow* window = windowOf(dlg))
        QMetaObject::invokeMethod(window, &QWidget::close, Qt::QueuedConnection);
}

int focusedId(CDialog& dlg)
{
    const DialogWindow* window = windowOf(dlg);
    QWidget* focused = QApplication::focusWidget();
    if (!window || !focused || !window->isAncestorOf(focused))
        return 0;
    // A control's inner widget has the focus on the control's behalf.
    while (focused->parentWidget() != window)
        focused = focused->parentWidget();
    return focused->objectName().toInt();
}

std::string text(CDialog& dlg, int id)
{
    QWidget* control = controlOf(dlg, id);
    QString shown;
    if (auto* field = qobject_cast<QLineEdit*>(control))
        shown = field->text();
    else if (auto* button = qobject_cast<QPushButton*>(control))
        shown = button->text();
    else if (auto* label = qobject_cast<QLabel*>(control))
        shown = label->text();
    else if (auto* list = qobject_cast<QComboBox*>(control))
        shown = list->currentText();
    return shown.toStdString();
}

std::string selectedText(CDialog& dlg, int id)
{
    const auto* field = controlOf<QLineEdit>(dlg, id, "field");
    return field ? field->selectedText().toStdString() : std::string();
}

std::vector<ControlInfo> controls(CDialog& dlg)
{
    std::vector<ControlInfo> found;
    DialogWindow* window = windowOf(dlg);
    if (!window)
        return found;
    for (QObject* child : window->children()) {
        auto* control = qobject_cast<QWidget*>(child);
        // The window menu is a child window of the dialog, no control.
        if (!control || control->isWindow())
            continue;
        const auto* button = qobject_cast<QPushButton*>(control);
        const auto* label = qobject_cast<QLabel*>(control);
        const bool showsIcon = label && !label->pixmap().isNull();
        const int id = control->objectName().isEmpty() ? IDC_STATIC : control->objectName().toInt();
        found.push_back(
            {id, id == IDC_STATIC ? (label ? label->text().toStdString() : "") : text(dlg, id),
             button && button->isDefault(), showsIcon});
    }
    return found;
}

void repaint(CDialog& dlg, int id)
{
    if (QWidget* control = controlOf(dlg, id))
        control->update();
}

std::vector<std::string> listItems(CDialog& dlg, int id)
{
    std::vector<std::string> items;
    if (const auto* list = controlOf<QComboBox>(dlg, id, "drop-down list")) {
        for (int i = 0; i < list->count(); ++i)
            items.push_back(list->itemText(i).toStdString());
    }
    return items;
}

int listSelection(CDialog& dlg, int id)
{
    const auto* list = controlOf<QComboBox>(dlg, id, "drop-down list");
    return list ? list->currentIndex() : -1;
}

void chooseListItem(CDialog& dlg, int id, int index)
{
    auto* list = controlOf<QComboBox>(dlg, id, "drop-down list");
    if (!list)
        return;
    if (index < 0 || index >= list->count()) {
        ADD_FAILURE() << "drop-down list " << id << " has no entry " << index;
        return;
    }
    if (!list->isEnabled())
        return;
    list->setCurrentIndex(index);
    emit list->activated(index); // as the operator's choice does
}

bool isEnabled(CDialog& dlg, int id)
{
    const QWidget* control = controlOf(dlg, id);
    return control && control->isEnabled();
}

WindowLook windowLook(CDialog& dlg)
{
    const DialogWindow* window = windowOf(dlg);
    if (!window)
        return {};
    const QList<QSize> iconSizes = window->windowIcon().availableSizes();
    return {window->windowTitle().toStdString(), window->minimumSize() == window->maximumSize(),
            window->windowFlags().testFlag(Qt::WindowMinimizeButtonHint),
            window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint),
            iconSizes.contains(QSize(16, 16)) && iconSizes.contains(QSize(32, 32))};
}

HWND owner(CDialog& dlg)
{
    const DialogWindow* window = windowOf(dlg);
    return window ? reinterpret_cast<HWND>(window->parentWidget()) : nullptr;
}

std::vector<MenuEntry> systemMenu(CDialog& dlg)
{
    std::vector<MenuEntry> entries;
    DialogWindow* window = windowOf(dlg);
    const QMenu* menu = window ? window->systemMenu(false) : nullptr;
    if (!menu)
        return entries;
    for (const QAction* action : menu->actions())
        entries.push_back(
            {action->isSeparator(), action->data().toUInt(), action->text().toStdString()});
    return entries;
}

void chooseSystemMenuEntry(CDialog& dlg, int position)
{
    DialogWindow* window = windowOf(dlg);
    const QMenu* menu = window ? window->systemMenu(false) : nullptr;
    if (!menu)
        return;
    const QList<QAction*> actions = menu->actions();
    if (position < 0 || position >= actions.size() || actions[position]->isSeparator()) {
        ADD_FAILURE() << "the window menu has no entry at " << position;
        return;
    }
    actions[position]->trigger();
}

CDialog* activeDialog()
{
    return DialogWindow::dialogOf(QApplication::activeModalWidget());
}

void wait(int ms)
{
    QTest::qWait(ms);
}

bool waitUntil(const std::function<bool()>& condition, int timeoutMs)
{
    return QTest::qWaitFor(condition, timeoutMs);
}

} // namespace driver
