#include "prompter.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QRegularExpression>

namespace zevo3 {

MsgAnswer QtPrompter::ask(QWidget *parent, const QString &text, const QString &caption,
                          MsgIcon icon, MsgButtons buttons) {
    QMessageBox box(parent);
    box.setObjectName(QStringLiteral("msgBox"));
    box.setWindowTitle(caption);
    box.setText(text);
    switch (icon) {
    case MsgIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case MsgIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MsgIcon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case MsgIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    }
    switch (buttons) {
    case MsgButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MsgButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MsgButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok:
        return MsgAnswer::Ok;
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    default:
        return buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Cancel;
    }
}

QStringList FileDialogSetup::descriptions() const {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        out << parts[i];
    return out;
}

namespace {

// A name typed without an extension gets the chosen filter's one when the
// dialog is accepted (a picture is not saved as ".Txt"); a filter of several
// patterns or "*.*" gives the default extension.
class FileDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;
    void setDefaultExtension(const QString &ext) { defaultExt_ = ext; }
    void accept() override {
        static const QRegularExpression single(QStringLiteral("\\(\\*\\.(\\w+)\\)$"));
        const QRegularExpressionMatch m = single.match(selectedNameFilter());
        setDefaultSuffix(m.hasMatch() ? m.captured(1) : defaultExt_);
        QFileDialog::accept();
    }

private:
    QString defaultExt_;
};

std::optional<FileChoice> runFileDialog(QWidget *parent, const FileDialogSetup &setup, bool save) {
    FileDialog dialog(parent);
    dialog.setObjectName(save ? QStringLiteral("dlgSave") : QStringLiteral("dlgOpen"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // "*.*" means every file where the list comes from; here it would miss
    // names without a dot, so "*" is added to that pattern.
    QStringList filters = setup.descriptions();
    for (QString &filter : filters)
        filter.replace(QStringLiteral("(*.*)"), QStringLiteral("(*.* *)"));
    dialog.setNameFilters(filters);
    dialog.setDefaultExtension(setup.defaultExt);
    if (setup.filterIndex >= 1 && setup.filterIndex <= filters.size())
        dialog.selectNameFilter(filters[setup.filterIndex - 1]);
    if (!setup.fileName.isEmpty()) dialog.selectFile(setup.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    FileChoice choice;
    choice.path = dialog.selectedFiles().first();
    choice.filterIndex = int(filters.indexOf(dialog.selectedNameFilter())) + 1;
    return choice;
}

} // namespace

std::optional<FileChoice> QtPrompter::openFile(QWidget *parent, const FileDialogSetup &setup) {
    return runFileDialog(parent, setup, false);
}

bool QtPrompter::choosePrinter(QWidget *parent, QPrinter &printer) {
    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("dlgPrint"));
    return dialog.exec() == QDialog::Accepted;
}

std::optional<FileChoice> QtPrompter::saveFile(QWidget *parent, const FileDialogSetup &setup) {
    return runFileDialog(parent, setup, true);
}

} // namespace zevo3
