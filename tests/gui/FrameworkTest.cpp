#include "console/framework/DlgItemInt.h"
#include "console/framework/MessageBox.h"
#include "console/framework/SliderCtrl.h"
#include "console/framework/TrackBar.h"
#include "console/framework/WinApp.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyleOptionSlider>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest>

#include <optional>

Q_DECLARE_METATYPE(std::optional<int>)

class FrameworkTest : public QObject
{
    Q_OBJECT

private slots:
    void readsFieldsAsSignedDecimals_data();
    void readsFieldsAsSignedDecimals();
    void trackBarHasItsMinimumAtTheTopAndMovesByKeys();
    void trackBarReportsEveryPaint();
    void messageBoxIsOkOnlyWarningWithTheExecutableName();
};

void FrameworkTest::readsFieldsAsSignedDecimals_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<int>>("value");

    const std::optional<int> none;
    QTest::newRow("plain") << "200" << std::optional(200);
    QTest::newRow("zero") << "0" << std::optional(0);
    QTest::newRow("leading zeros") << "007" << std::optional(7);
    QTest::newRow("negative") << "-1" << std::optional(-1);
    QTest::newRow("plus sign") << "+5" << std::optional(5);
    QTest::newRow("blanks around") << "  42\t " << std::optional(42);
    QTest::newRow("empty") << "" << none;
    QTest::newRow("blanks only") << "   " << none;
    QTest::newRow("letters") << "abc" << none;
    QTest::newRow("sign only") << "-" << none;
    QTest::newRow("trailing letters") << "12abc" << none;
    QTest::newRow("inner blank") << "1 2" << none;
    QTest::newRow("two signs") << "--1" << none;
    QTest::newRow("full-width digits") << QStringLiteral("１２") << none;
    QTest::newRow("largest") << "2147483647" << std::optional(2147483647);
    QTest::newRow("smallest") << "-2147483648" << std::optional(-2147483647 - 1);
    QTest::newRow("overflow") << "2147483648" << none;
    QTest::newRow("underflow") << "-2147483649" << none;
    QTest::newRow("far overflow") << "99999999999999999999999" << none;
}

void FrameworkTest::readsFieldsAsSignedDecimals()
{
    QFETCH(QString, text);
    QFETCH(std::optional<int>, value);
    QCOMPARE(parseDlgItemInt(text), value);
}

namespace {
// A trackbar whose drawing options are visible to the test.
class ProbedTrackBar : public TrackBar
{
public:
    using QSlider::initStyleOption;
    using TrackBar::TrackBar;
};

int handleCentreY(ProbedTrackBar& trackBar)
{
    QStyleOptionSlider option;
    trackBar.initStyleOption(&option);
    return trackBar.style()
        ->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, &trackBar)
        .center()
        .y();
}
} // namespace

void FrameworkTest::trackBarHasItsMinimumAtTheTopAndMovesByKeys()
{
    ProbedTrackBar trackBar;
    trackBar.resize(40, 300);
    CSliderCtrl slider;
    slider.Attach(&trackBar);
    slider.SetRange(0, 255);

    slider.SetPos(0);
    const int top = handleCentreY(trackBar);
    slider.SetPos(255);
    const int bottom = handleCentreY(trackBar);
    QVERIFY2(top < bottom, "the minimum must sit at the top");
    slider.SetPos(1);
    QVERIFY(handleCentreY(trackBar) < trackBar.height() / 4);

    // Down, Right and Page Down move towards the bottom (larger values), the others back.
    const struct
    {
        Qt::Key key;
        int expected;
    } steps[] = {
        {Qt::Key_Down, 2}, {Qt::Key_Right, 3},  {Qt::Key_PageDown, 54}, {Qt::Key_PageUp, 3},
        {Qt::Key_Up, 2},   {Qt::Key_Left, 1},   {Qt::Key_End, 255},     {Qt::Key_Down, 255},
        {Qt::Key_Home, 0}, {Qt::Key_PageUp, 0},
    };
    for (const auto& step : steps) {
        QTest::keyClick(&trackBar, step.key);
        QCOMPARE(slider.GetPos(), step.expected);
    }
}

void FrameworkTest::trackBarReportsEveryPaint()
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* edit = new QLineEdit(&window);
    auto* trackBar = new ProbedTrackBar(&window);
    layout->addWidget(edit);
    layout->addWidget(trackBar);
    QSignalSpy painted(trackBar, &TrackBar::painted);
    edit->setFocus();

    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(painted.count() >= 1); // shown

    const auto paintsAfter = [&](auto action) {
        QTest::qWait(20);
        painted.clear();
        action();
        QTRY_VERIFY(painted.count() >= 1);
    };
    paintsAfter([&] { trackBar->update(); });                          // uncovered, repainted
    paintsAfter([&] { QTest::keyClick(trackBar, Qt::Key_PageDown); }); // moved by keyboard
    paintsAfter([&] { trackBar->setFocus(Qt::TabFocusReason); });      // gains the focus
    paintsAfter([&] { edit->setFocus(Qt::TabFocusReason); });          // loses it
    paintsAfter([&] {                                                  // dragged
        const QPoint from(trackBar->width() / 2, handleCentreY(*trackBar));
        QTest::mousePress(trackBar, Qt::LeftButton, {}, from);
        QTest::mouseMove(trackBar, from + QPoint(0, 40));
        QTest::mouseRelease(trackBar, Qt::LeftButton, {}, from + QPoint(0, 40));
    });
}

void FrameworkTest::messageBoxIsOkOnlyWarningWithTheExecutableName()
{
    QCOMPARE(AfxGetAppName(), QStringLiteral("orvanel_framework_tests"));

    bool checked = false;
    QTimer::singleShot(0, this, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        const auto closeBox = qScopeGuard([box] { box->done(0); });
        QCOMPARE(box->text(), QStringLiteral("打开串口失败！"));
        QCOMPARE(box->windowTitle(), AfxGetAppName());
        QCOMPARE(box->icon(), QMessageBox::Warning);
        QCOMPARE(box->buttons().size(), 1);
        QCOMPARE(box->buttons().first()->text(), QStringLiteral("确定"));
        checked = true;
    });
    QCOMPARE(AfxMessageBox(QStringLiteral("打开串口失败！")), IDOK);
    QVERIFY(checked);
}

QTEST_MAIN(FrameworkTest)
#include "FrameworkTest.moc"
