// The main window's learning toggle and the clearing of the waveform store.

#include "R_main.h"

#include "R_wave.h"
#include "click_panel.h"
#include "learning.h"
#include "link_texts.h"
#include "text_codec.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace zevo3 {

void TfrmMain::SetLearningDisplay(bool on) {
    learning_ = on;
    QPalette palette = pnlAnalyze->palette();
    palette.setColor(QPalette::Window, on ? QColor(0, 255, 0) : palette.color(QPalette::Button));
    pnlAnalyze->setPalette(palette);
    pnlAnalyze->setText(on ? tr("学習 On") : tr("学習 Off"));
    // Painted at once, without handing the event loop other work.
    pnlAnalyze->repaint();
}

void TfrmMain::pnlAnalyzeClick() {
    if (!objects.link.portOpen()) {
        prompter.ask(this, texts::setPortFirst(), texts::captionConfirm(), MsgIcon::Warning,
                     MsgButtons::Ok);
        return;
    }
    if (learning_) {
        SetLearningDisplay(false);
        objects.link.SendMessage(kLearningEnd);
        return;
    }
    SetLearningDisplay(true);
    objects.link.SendMessage(learningTimeMessage(toCp932(edtLtime->text())));
    objects.link.SendMessage(kLearningStart);
    memoRecv->clear();
    ClearTrack(0);
    // The code about to be learned goes to the first free row from here.
    if (ckCursor->isChecked()) SelectNextFreeRow();
}

void TfrmMain::btnWaveClearClick() {
    memoRecv->clear();
    ClearTrack(0);
    ClearWaveStore();
}

void TfrmMain::ClearWaveStore() {
    objects.waveGrid.clearFilledRows();
    objects.waveStore.clear();
    // Nothing is shown any more, so a later edit of the table row refills nothing.
    shownRow_ = 0;
    shownInfo_.reset();
    if (!frmWave) return;
    frmWave->gridChanged();
    frmWave->setCurrentCell(1, 1);
    frmWave->clearPanels();
}

} // namespace zevo3
