#pragma once
// A panel with a caption that reacts to a click, like the learning toggle.

#include <QLabel>
#include <QMouseEvent>

namespace zevo3 {

class ClickPanel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override {
        if (event->button() == Qt::LeftButton) emit clicked();
        QLabel::mousePressEvent(event);
    }
};

} // namespace zevo3
