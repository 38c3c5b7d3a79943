#include "R_waveedit.h"

namespace zevo3 {

TfrmWaveEdit::TfrmWaveEdit(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmWaveEdit"));
    setWindowTitle(tr("波形情報の編集"));
    resize(640, 480);
}

} // namespace zevo3
