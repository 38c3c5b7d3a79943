#pragma once
// A small modal dialog with a message, up to three exclusive choices and
// OK/Cancel. Made once at start-up and reused; the caller fills it in and
// positions it before showing it.

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace zevo3 {

class TfrmMsgBox : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDesignWidth = 244;
    static constexpr int kDesignHeight = 129;

    explicit TfrmMsgBox(QWidget *parent = nullptr);

    // The client height; OK, Cancel and the check box move with the bottom edge.
    void setClientHeight(int height);

    void btnOkClick();
    void btnCancelClick();

    QPushButton *btnOk = nullptr;
    QLabel *lblMsg = nullptr;
    QCheckBox *ckDispOff = nullptr;
    QPushButton *btnCancel = nullptr;
    QRadioButton *RadioButton1 = nullptr;
    QRadioButton *RadioButton2 = nullptr;
    QRadioButton *RadioButton3 = nullptr;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void placeAnchored();
};

} // namespace zevo3
