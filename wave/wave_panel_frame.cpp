#include "wave_panel_frame.h"

#include <QEvent>
#include <algorithm>

namespace zevo3 {

void WavePanelFrame::setParts(QWidget *strip, QWidget *image, QWidget *scrollBar) {
    strip_ = strip;
    image_ = image;
    scrollBar_ = scrollBar;
    // Controls shown or hidden on the strip change its width.
    if (strip_) strip_->installEventFilter(this);
}

void WavePanelFrame::resizeEvent(QResizeEvent *event) {
    QFrame::resizeEvent(event);
    placeParts();
}

bool WavePanelFrame::eventFilter(QObject *watched, QEvent *event) {
    if (watched == strip_ && event->type() == QEvent::LayoutRequest) placeParts();
    return QFrame::eventFilter(watched, event);
}

void WavePanelFrame::placeParts() {
    if (strip_)
        strip_->setGeometry(0, 0, std::max(width(), strip_->minimumSizeHint().width()),
                            strip_->height());
    if (scrollBar_)
        scrollBar_->setGeometry(0, height() - scrollBar_->height(), width(), scrollBar_->height());
    if (image_) image_->raise();
    if (scrollBar_) scrollBar_->raise();
    if (strip_) strip_->raise();
}

} // namespace zevo3
