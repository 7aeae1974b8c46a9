// The message box as Qt shows it.
#include "framework/MessageBox.h"
#include "framework/DialogTemplate.h"
#include "framework/WinApp.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

class MessageBoxTest : public QObject
{
    Q_OBJECT

private slots:
    void isOkOnlyWarningWithTheExecutableNameAndTheDetailBelow();
    void isModalToTheActiveWindowWhichIsActiveAgainOnceItCloses();
};

void MessageBoxTest::isOkOnlyWarningWithTheExecutableNameAndTheDetailBelow()
{
    QCOMPARE(AfxGetAppName(), std::string("orvanel_qt_message_box_tests"));

    bool checked = false;
    QTimer::singleShot(0, this, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        const auto closeBox = qScopeGuard([box] { box->done(0); });
        QCOMPARE(box->text(), QStringLiteral("打开串口失败！"));
        QCOMPARE(box->informativeText(), QStringLiteral("此计算机上没有 COM1。"));
        QCOMPARE(box->windowTitle(), QString::fromStdString(AfxGetAppName()));
        QCOMPARE(box->icon(), QMessageBox::Warning);
        QCOMPARE(box->buttons().size(), 1);
        QCOMPARE(box->buttons().first()->text(), QStringLiteral("确定"));
        checked = true;
    });
    QCOMPARE(AfxMessageBox("打开串口失败！", MB_OK, "此计算机上没有 COM1。"), IDOK);
    QVERIFY(checked);
}

void MessageBoxTest::isModalToTheActiveWindowWhichIsActiveAgainOnceItCloses()
{
    QWidget window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    QWidget* owner = nullptr;
    QTimer::singleShot(0, this, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            owner = box->parentWidget();
            box->done(0);
        }
    });
    AfxMessageBox("已停止发送");
    QCOMPARE(owner, &window);
    QTRY_VERIFY(window.isActiveWindow());
}

QTEST_MAIN(MessageBoxTest)
#include "MessageBoxTest.moc"
