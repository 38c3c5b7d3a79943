#pragma once
// The remote-control layout window: 15 rows of 8 button positions. Made
// hidden at start-up and kept for the whole run.

#include <QWidget>

class QTableWidget;

namespace zevo3 {

class TfrmLayout : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRows = 15;
    static constexpr int kButtons = 8;

    explicit TfrmLayout(QWidget *parent = nullptr);

    // Empties the grid and sets its number of layout rows.
    void InitLayout(int rows);

    QTableWidget *sGrid = nullptr;
};

} // namespace zevo3
