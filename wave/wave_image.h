#pragma once
// The very wide image the waveform is drawn on. It shows its canvas as it
// stands: scrolling moves the widget, and nothing is redrawn for it. Presses
// and releases are handed on with the button and the image position.

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

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QImage canvas_;
};

} // namespace zevo3
