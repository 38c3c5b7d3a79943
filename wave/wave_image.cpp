#include "wave_image.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace zevo3 {

WaveImage::WaveImage(QWidget *parent) : QWidget(parent) {
}

void WaveImage::resizeCanvas(int width, int height) {
    if (canvas_.width() == width && canvas_.height() == height) return;
    QImage next(width, height, QImage::Format_RGB32);
    next.fill(Qt::white);
    if (!canvas_.isNull()) {
        QPainter p(&next);
        p.drawImage(0, 0, canvas_);
    }
    canvas_ = next;
    resize(width, height);
}

void WaveImage::paintEvent(QPaintEvent *event) {
    QPainter p(this);
    p.drawImage(event->rect(), canvas_, event->rect());
}

void WaveImage::mousePressEvent(QMouseEvent *event) {
    emit pressed(event->button(), event->position().toPoint());
}

void WaveImage::mouseReleaseEvent(QMouseEvent *event) {
    emit released(event->button(), event->position().toPoint());
}

} // namespace zevo3
