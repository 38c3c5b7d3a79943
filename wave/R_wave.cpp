#include "R_wave.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace zevo3 {

TfrmWave::TfrmWave(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmWave"));
    setWindowTitle(tr("Wave Data"));
    auto *box = new QVBoxLayout(this);
    auto *strip = new QHBoxLayout;
    auto makePanel = [&](QLabel *&label, const char *name) {
        label = new QLabel(this);
        label->setObjectName(QString::fromLatin1(name));
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setMinimumWidth(60);
        strip->addWidget(label);
    };
    makePanel(pnlPno, "pnlPno");
    makePanel(pnlHmin, "pnlHmin");
    makePanel(pnlHmax, "pnlHmax");
    makePanel(pnlWmin, "pnlWmin");
    makePanel(pnlWmax, "pnlWmax");
    strip->addStretch();
    box->addLayout(strip);
    sGridWave = new QTableWidget(4098, 5, this);
    sGridWave->setObjectName(QStringLiteral("sGridWave"));
    sGridWave->setHorizontalHeaderLabels({QString(), QStringLiteral(" High"),
                                          QStringLiteral(" Width"), QStringLiteral(" Pno"),
                                          QStringLiteral("Logic")});
    box->addWidget(sGridWave);
    resize(420, 600);
}

} // namespace zevo3
