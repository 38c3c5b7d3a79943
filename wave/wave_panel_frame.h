#pragma once
// The waveform panel's frame: the control strip at the top, the wide image
// below it (moved by the scroll bar) and the scroll bar at the bottom.

#include <QFrame>

namespace zevo3 {

class WavePanelFrame : public QFrame {
    Q_OBJECT
public:
    using QFrame::QFrame;
    void setParts(QWidget *strip, QWidget *image, QWidget *scrollBar) {
        strip_ = strip;
        image_ = image;
        scrollBar_ = scrollBar;
    }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QWidget *strip_ = nullptr;
    QWidget *image_ = nullptr;
    QWidget *scrollBar_ = nullptr;
};

} // namespace zevo3
