#pragma once
// The very wide image the waveform is drawn on. It shows its canvas as it
// stands: scrolling moves the widget, and nothing is redrawn for it. Presses
// and releases are handed on with the button and the image position; wheel
// turns as whole steps, to scroll or, with Ctrl, to zoom.

#include "wave_view.h"

#include <QImage>
#include <QWidget>

namespace zevo3 {

class WaveImage : public QWidget {
    Q_OBJECT
public:
    explicit WaveImage(QWidget *parent = nullptr);
    QImage &canvas() { return canvas_; }
    const QImage &canvas() const { return canvas_; }
    void resizeCanvas(int width, int height);

signals:
    void pressed(Qt::MouseButton button, QPoint at);
    void released(Qt::MouseButton button, QPoint at);
    // Lines to scroll, the system's wheel lines a notch; positive towards
    // the start of the train.
    void wheelScrolled(int lines);
    // Zoom steps, one a notch; positive for the wheel turned up.
    void wheelZoomed(int notches);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    QImage canvas_;
    WheelSteps scrollSteps_;
    WheelSteps zoomSteps_;
};

} // namespace zevo3
