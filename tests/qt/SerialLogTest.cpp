// The serial link's diagnostics and warnings in Qt's log: the logging category orvanel.serial.
#include "base/Log.h"
#include "console/OutputNotices.h"

#include <QLoggingCategory>
#include <QtTest>

#include <vector>

namespace {
struct Logged
{
    QtMsgType type;
    QString category;
    QString text;
};
std::vector<Logged> g_logged;
} // namespace

class SerialLogTest : public QObject
{
    Q_OBJECT

private slots:
    void debugIsOffUntilTheRulesTurnItOnWarningsAreOn();
};

void SerialLogTest::debugIsOffUntilTheRulesTurnItOnWarningsAreOn()
{
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
            g_logged.push_back({type, QString::fromUtf8(context.category), text});
        });
    const auto restore = qScopeGuard([previous] {
        qInstallMessageHandler(previous);
        QLoggingCategory::setFilterRules({});
    });
    installOutputNotices();

    writeLog(LogCategory::Serial, LogLevel::Debug, "\n512 bytes written");
    QVERIFY2(g_logged.empty(), "diagnostics are off by default");
    QLoggingCategory::setFilterRules(QStringLiteral("orvanel.serial.debug=true"));
    writeLog(LogCategory::Serial, LogLevel::Debug, "\n512 bytes written");
    writeLog(LogCategory::Serial, LogLevel::Warning,
             "cannot open /dev/ttyUSB0 as COM1: Permission denied");

    QCOMPARE(g_logged.size(), size_t(2));
    QCOMPARE(g_logged[0].type, QtDebugMsg);
    QCOMPARE(g_logged[0].category, QStringLiteral("orvanel.serial"));
    QCOMPARE(g_logged[0].text, QStringLiteral("512 bytes written"));
    QCOMPARE(g_logged[1].type, QtWarningMsg);
    QCOMPARE(g_logged[1].category, QStringLiteral("orvanel.serial"));
    QCOMPARE(g_logged[1].text,
             QStringLiteral("cannot open /dev/ttyUSB0 as COM1: Permission denied"));
}

QTEST_MAIN(SerialLogTest)
#include "SerialLogTest.moc"
