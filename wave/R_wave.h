#pragma once
// The wave data window: the pulse list of the waveform store. Made hidden at
// start-up and kept for the whole run.

#include <QWidget>

class QLabel;
class QTableWidget;

namespace zevo3 {

class TfrmWave : public QWidget {
    Q_OBJECT
public:
    explicit TfrmWave(QWidget *parent = nullptr);

    QTableWidget *sGridWave = nullptr;
    QLabel *pnlPno = nullptr;
    QLabel *pnlHmin = nullptr;
    QLabel *pnlHmax = nullptr;
    QLabel *pnlWmin = nullptr;
    QLabel *pnlWmax = nullptr;
};

} // namespace zevo3
