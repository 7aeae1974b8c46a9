// How Qt lays the dialogs out: texts that fit, controls inside their dialog and clear of each
// other, the port list's tips, and the about box's icon and place.
#include "RunShown.h"

#include "console/AboutDlg.h"
#include "console/ConsoleDlg.h"
#include "console/PortSettingsDlg.h"
#include "dmx/Sleep.h"
#include "framework/MessageBox.h"
#include "framework/SystemMenu.h"
#include "res/resource.h"

#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

#include <algorithm>

namespace {
// The dialog's controls, without the window menu, which is a window of its own.
QList<QWidget*> controlsOf(const DialogWindow& window)
{
    QList<QWidget*> controls;
    for (QWidget* widget : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!widget->isWindow())
            controls << widget;
    }
    return controls;
}

QString captionOf(const QWidget* control)
{
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    if (const auto* button = qobject_cast<const QPushButton*>(control))
        return button->text();
    return {};
}

// Every control lies inside the dialog, clear of the others, with room for its caption.
void checkControlsFit(const DialogWindow& window)
{
    const QList<QWidget*> controls = controlsOf(window);
    for (const QWidget* control : controls) {
        const QString caption = captionOf(control);
        QVERIFY2(window.rect().contains(control->geometry()), qPrintable(control->objectName()));
        const QSize text = control->fontMetrics().size(0, caption); // each line on its own
        QVERIFY2(text.width() <= control->width() && text.height() <= control->height(),
                 qPrintable(caption));
        for (const QWidget* other : controls) {
            QVERIFY2(other == control || !other->geometry().intersects(control->geometry()),
                     qPrintable(control->objectName() + " overlaps " + other->objectName()));
        }
    }
}

// COM1 is a USB adapter and COM3 a USB modem; nothing else is present.
std::optional<std::string> fakePortDevice(int portNumber)
{
    if (portNumber == 1)
        return "/dev/ttyUSB0";
    if (portNumber == 3)
        return "/dev/ttyACM0";
    return std::nullopt;
}
} // namespace

class DialogLookTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void consoleTextsFitTheirControls();
    void portSettingsInTemplateOrderWithTipsNamingTheDevices();
    void aboutBoxShowsTheWholeIconAndCentresOverTheConsole();
};

void DialogLookTest::initTestCase()
{
    setSleepFunction([](unsigned) {});
    setMessageBoxFunction([](const MessageBoxRequest&) { return IDOK; });
    setPortDeviceFunction(fakePortDevice);
    QApplication::setQuitOnLastWindowClosed(false);
}

void DialogLookTest::consoleTextsFitTheirControls()
{
    CConsoleDlg console;
    runShown(console, [](DialogWindow& window) {
        QCOMPARE(controlsOf(window).size(), 27);
        checkControlsFit(window);
        // The strips run left to right, each field above its slider above its value.
        for (int strip = 0; strip < kStripCount; ++strip) {
            const QRect channel = window.item(IDC_CHANNEL1 + strip)->geometry();
            const QRect slider = window.item(IDC_SLIDER1 + strip)->geometry();
            const QRect value = window.item(IDC_VALUE1 + strip)->geometry();
            QVERIFY(channel.bottom() < slider.top() && slider.bottom() < value.top());
            if (strip > 0)
                QVERIFY(window.item(IDC_SLIDER1 + strip - 1)->x() < slider.x());
        }
    });
}

void DialogLookTest::portSettingsInTemplateOrderWithTipsNamingTheDevices()
{
    CPortSettingsDlg settings;
    runShown(settings, [](DialogWindow& window) {
        QCOMPARE(window.font().pointSize(), 10);
        QCOMPARE(window.minimumSize(), window.maximumSize());
        // The controls in template order; the closed list is one line high, above the rate field.
        QStringList found;
        for (const QWidget* control : controlsOf(window))
            found << control->objectName() + " " + captionOf(control);
        QCOMPARE(found, QStringList({"1 确定", "2 取消", " 串口:", "1001 ", " 波特率:", "1010 ",
                                     " 接口:", "1041 ", " 域:", "1042 ", " 地址:", "1043 ",
                                     " 留空：sACN 组播，Art-Net 节点或广播", " 网卡:", "1060 ",
                                     " 节点:", "1061 "}));
        checkControlsFit(window);

        // Each entry's tip tells which device it stands for here.
        auto* list = qobject_cast<QComboBox*>(window.item(IDC_PORT_LIST));
        QVERIFY(list);
        QVERIFY(!list->isEditable());
        QCOMPARE(list->itemData(0, Qt::ToolTipRole).toString(), QStringLiteral("/dev/ttyUSB0"));
        QCOMPARE(list->itemData(2, Qt::ToolTipRole).toString(), QStringLiteral("/dev/ttyACM0"));
        for (int i : {1, 3, 7})
            QCOMPARE(list->itemData(i, Qt::ToolTipRole).toString(),
                     QStringLiteral("此计算机上没有此串口"));
        // Closed, the list names the device of the chosen entry.
        QCOMPARE(list->toolTip(), QStringLiteral("/dev/ttyUSB0"));
        list->setCurrentIndex(2);
        QCOMPARE(list->toolTip(), QStringLiteral("/dev/ttyACM0"));
    });
}

void DialogLookTest::aboutBoxShowsTheWholeIconAndCentresOverTheConsole()
{
    CConsoleDlg console;
    bool checked = false;
    runShown(console, [&](DialogWindow& consoleWindow) {
        QTimer::singleShot(0, &consoleWindow, [&] {
            DialogWindow* about = activeDialogWindow();
            QVERIFY(about && dynamic_cast<CAboutDlg*>(&about->dialog()));
            const auto closeAbout = qScopeGuard([about] { about->dialog().EndDialog(IDOK); });
            QVERIFY(QTest::qWaitForWindowExposed(about));

            QCOMPARE(about->parentWidget(), &consoleWindow);
            QVERIFY(consoleWindow.frameGeometry().contains(about->frameGeometry().center()));

            const QList<QLabel*> labels = about->findChildren<QLabel*>();
            const auto icon = std::find_if(labels.begin(), labels.end(),
                                           [](QLabel* label) { return !label->pixmap().isNull(); });
            QVERIFY(icon != labels.end());
            QCOMPARE((*icon)->pixmap().deviceIndependentSize().toSize(), QSize(32, 32));
            QVERIFY((*icon)->width() >= 32 && (*icon)->height() >= 32);
            checked = true;
        });
        const QList<QAction*> entries = consoleWindow.systemMenu(false)->actions();
        QCOMPARE(entries.last()->data().toUInt(), IDM_ABOUTBOX);
        entries.last()->trigger();
    });
    QVERIFY(checked);
}

QTEST_MAIN(DialogLookTest)
#include "DialogLookTest.moc"
