#pragma once
// The wave data window: the pulse list of the waveform store, one row per
// pulse, and for a chosen pattern number the smallest and largest " High" and
// " Width" among its pulses. Made hidden at start-up and kept for the whole
// run; "Data" on the waveform panel shows it, "Close" hides it.

#include "wave_grid.h"
#include "wave_store.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTableView;

namespace zevo3 {

class WaveGridModel;

class TfrmWave : public QWidget {
    Q_OBJECT
public:
    TfrmWave(const WaveStore &store, WaveGridData &grid, QWidget *parent = nullptr);

    // Shown without waiting; the first showing is centred on `over`.
    void showOver(QWidget *over);
    void CloseClick();
    // The column c (1..4) and row r (1..4096) that became current.
    void sGridWaveSelectCell(int column, int row);
    void ShowPnoRange(int slot);
    // The grid's texts changed.
    void gridChanged();
    // The current cell, as grid column 1..4 and row 1..4096; 0 when none.
    int currentColumn() const;
    int currentRow() const;
    void setCurrentCell(int column, int row);
    // The row becomes current, in the column that is current (column 1 when
    // no cell is).
    void setCurrentRow(int row);
    // The range panels and the pattern number emptied.
    void clearPanels();

    QTableView *sGridWave = nullptr;
    WaveGridModel *model = nullptr;
    QWidget *Panel1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *pnlPno = nullptr;
    QLabel *pnlHmin = nullptr;
    QLabel *pnlHmax = nullptr;
    QLabel *pnlWmin = nullptr;
    QLabel *pnlWmax = nullptr;
    QPushButton *Close = nullptr;

private:
    void FormCreate();
    void InitWaveGrid();

    const WaveStore &store_;
    WaveGridData &grid_;
    bool shownBefore_ = false;
};

} // namespace zevo3
