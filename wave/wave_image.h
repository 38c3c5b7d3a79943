#pragma once
// The very wide image the waveform is drawn on, with a canvas of its own.

#include <QImage>
#include <QWidget>

namespace zevo3 {

class WaveImage : public QWidget {
    Q_OBJECT
public:
    explicit WaveImage(QWidget *parent = nullptr);
    QImage &canvas() { return canvas_; }
    void resizeCanvas(int width, int height);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage canvas_;
};

} // namespace zevo3
