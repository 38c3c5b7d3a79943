#pragma once
// The wave information editor: shows and edits the timing description of a
// table row. Made hidden at start-up and kept for the whole run.

#include <QWidget>

namespace zevo3 {

class TfrmWaveEdit : public QWidget {
    Q_OBJECT
public:
    explicit TfrmWaveEdit(QWidget *parent = nullptr);
};

} // namespace zevo3
