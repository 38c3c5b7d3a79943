#include "wave_panel_frame.h"

namespace zevo3 {

void WavePanelFrame::resizeEvent(QResizeEvent *event) {
    QFrame::resizeEvent(event);
    if (strip_) strip_->setGeometry(0, 0, width(), strip_->height());
    if (scrollBar_)
        scrollBar_->setGeometry(0, height() - scrollBar_->height(), width(), scrollBar_->height());
    if (image_) image_->raise();
    if (scrollBar_) scrollBar_->raise();
    if (strip_) strip_->raise();
}

} // namespace zevo3
