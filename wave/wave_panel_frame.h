#pragma once
// The waveform panel's frame: the control strip at the top, the wide image
// below it (moved by the scroll bar) and the scroll bar at the bottom. A
// strip wider than the panel keeps its controls whole and is cut off at the
// right edge rather than squeezed.

#include <QFrame>

namespace zevo3 {

class WavePanelFrame : public QFrame {
    Q_OBJECT
public:
    using QFrame::QFrame;
    void setParts(QWidget *strip, QWidget *image, QWidget *scrollBar);

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void placeParts();

    QWidget *strip_ = nullptr;
    QWidget *image_ = nullptr;
    QWidget *scrollBar_ = nullptr;
};

} // namespace zevo3
