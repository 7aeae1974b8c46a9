#include "TrackBar.h"

#include <QKeyEvent>

TrackBar::TrackBar(QWidget* parent) : QSlider(Qt::Vertical, parent)
{
    setInvertedAppearance(true); // minimum at the top
    setInvertedControls(true);   // wheel up moves the thumb up
    setTickPosition(QSlider::NoTicks);
    setFocusPolicy(Qt::StrongFocus);
    setRange(0, 100);
    setSingleStep(1);
    setPageStep(20);
}

void TrackBar::paintEvent(QPaintEvent* event)
{
    QSlider::paintEvent(event);
    emit painted();
}

void TrackBar::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() & ~Qt::KeypadModifier) {
        QSlider::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Left:
        triggerAction(SliderSingleStepSub);
        break;
    case Qt::Key_Down:
    case Qt::Key_Right:
        triggerAction(SliderSingleStepAdd);
        break;
    case Qt::Key_PageUp:
        triggerAction(SliderPageStepSub);
        break;
    case Qt::Key_PageDown:
        triggerAction(SliderPageStepAdd);
        break;
    case Qt::Key_Home:
        triggerAction(SliderToMinimum);
        break;
    case Qt::Key_End:
        triggerAction(SliderToMaximum);
        break;
    default:
        QSlider::keyPressEvent(event);
        return;
    }
    event->accept();
}
