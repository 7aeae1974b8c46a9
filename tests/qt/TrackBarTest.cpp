// The trackbar as Qt draws it, and its keys.
#include "framework/qt/TrackBar.h"
#include "framework/SliderCtrl.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QStyleOptionSlider>
#include <QVBoxLayout>
#include <QtTest>

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

class TrackBarTest : public QObject
{
    Q_OBJECT

private slots:
    void hasItsMinimumAtTheTopAndMovesByKeys();
    void reportsEveryPaint();
};

void TrackBarTest::hasItsMinimumAtTheTopAndMovesByKeys()
{
    ProbedTrackBar trackBar;
    trackBar.resize(40, 300);
    CSliderCtrl slider;
    slider.m_hWnd = reinterpret_cast<HWND>(static_cast<QWidget*>(&trackBar));
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

void TrackBarTest::reportsEveryPaint()
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

QTEST_MAIN(TrackBarTest)
#include "TrackBarTest.moc"
