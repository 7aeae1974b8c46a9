#pragma once

#include <QSlider>

// A vertical trackbar with its minimum at the top, moved by the keys as the platform's trackbar
// is: Up, Left and Page Up towards the minimum, Down, Right and Page Down towards the maximum,
// Home and End to the ends. It announces every paint of itself, so that its owner can act each
// time the trackbar draws, whatever made it draw.
class TrackBar : public QSlider
{
    Q_OBJECT

public:
    explicit TrackBar(QWidget* parent = nullptr);

signals:
    void painted();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};
