#include "wave_image.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

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

void WaveImage::wheelEvent(QWheelEvent *event) {
    const QPoint angle = event->angleDelta();
    const WheelTurn turn =
        wheelTurn(angle.x(), angle.y(), event->modifiers().testFlag(Qt::ControlModifier));
    event->accept(); // the wheel is the picture's, never the window's
    if (turn.zoom) {
        if (const int notches = zoomSteps_.take(turn.delta, 1)) emit wheelZoomed(notches);
    } else if (const int lines = scrollSteps_.take(turn.delta, QApplication::wheelScrollLines())) {
        emit wheelScrolled(lines);
    }
}

} // namespace zevo3
