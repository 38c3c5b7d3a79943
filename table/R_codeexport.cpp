#include "R_codeexport.h"

#include "link_texts.h"
#include "parsed_codec.h"
#include "prompter.h"
#include "save_file.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zevo3 {

namespace {

struct FormatFile {
    InterchangeFormat format;
    const char *filter;
    const char *extension;
};
constexpr FormatFile kFormats[] = {
    {InterchangeFormat::Pronto, "Pronto Hex (*.txt)|*.txt", "txt"},
    {InterchangeFormat::Raw, "raw (*.txt)|*.txt", "txt"},
    {InterchangeFormat::IrFile, "IR signals (*.ir)|*.ir", "ir"},
    {InterchangeFormat::Lirc, "LIRC (*.conf)|*.conf", "conf"},
};

} // namespace

TfrmCodeExport::TfrmCodeExport(const CodeTable &table, Prompter &prompter, int currentRow,
                               const QString &remoteName, QWidget *parent)
    : QDialog(parent), table_(table), prompter_(prompter), currentRow_(currentRow),
      remoteName_(remoteName) {
    setObjectName(QStringLiteral("frmCodeExport"));
    setWindowTitle(tr("コードの書出"));

    cmbFormat = new QComboBox(this);
    cmbFormat->setObjectName(QStringLiteral("cmbFormat"));
    for (const FormatFile &entry : kFormats)
        cmbFormat->addItem(tr(formatName(entry.format)), int(entry.format));
    rbRow = new QRadioButton(tr("現在の行 (%1)").arg(currentRow), this);
    rbRow->setObjectName(QStringLiteral("rbRow"));
    rbAll = new QRadioButton(tr("波形情報の有る全ての行"), this);
    rbAll->setObjectName(QStringLiteral("rbAll"));
    rbRow->setChecked(CodeTable::validRow(currentRow));
    rbRow->setEnabled(CodeTable::validRow(currentRow));
    rbAll->setChecked(!CodeTable::validRow(currentRow));
    ckRawOnly = new QCheckBox(tr("raw のみ"), this);
    ckRawOnly->setObjectName(QStringLiteral("ckRawOnly"));
    memoText = new QPlainTextEdit(this);
    memoText->setObjectName(QStringLiteral("memoText"));
    memoText->setReadOnly(true);
    memoText->setLineWrapMode(QPlainTextEdit::NoWrap);
    memoNotes = new QPlainTextEdit(this);
    memoNotes->setObjectName(QStringLiteral("memoNotes"));
    memoNotes->setReadOnly(true);
    memoNotes->setMaximumHeight(60);
    lblDone = new QLabel(this);
    lblDone->setObjectName(QStringLiteral("lblDone"));
    btnCopy = new QPushButton(tr("クリップボードへ"), this);
    btnCopy->setObjectName(QStringLiteral("btnCopy"));
    btnSave = new QPushButton(tr("ファイルへ..."), this);
    btnSave->setObjectName(QStringLiteral("btnSave"));
    btnClose = new QPushButton(tr("閉じる"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));

    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(tr("形式"), this));
    top->addWidget(cmbFormat);
    top->addWidget(rbRow);
    top->addWidget(rbAll);
    top->addWidget(ckRawOnly);
    top->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(lblDone, 1);
    buttons->addWidget(btnCopy);
    buttons->addWidget(btnSave);
    buttons->addWidget(btnClose);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(memoText, 1);
    layout->addWidget(memoNotes);
    layout->addLayout(buttons);
    resize(640, 420);

    connect(cmbFormat, &QComboBox::currentIndexChanged, this, &TfrmCodeExport::refresh);
    connect(rbRow, &QRadioButton::toggled, this, &TfrmCodeExport::refresh);
    connect(ckRawOnly, &QCheckBox::toggled, this, &TfrmCodeExport::refresh);
    connect(btnCopy, &QPushButton::clicked, this, &TfrmCodeExport::btnCopyClick);
    connect(btnSave, &QPushButton::clicked, this, &TfrmCodeExport::btnSaveClick);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);
    refresh();
}

InterchangeFormat TfrmCodeExport::format() const {
    return InterchangeFormat(cmbFormat->currentData().toInt());
}

int TfrmCodeExport::rowChoice() const {
    return rbRow->isChecked() ? currentRow_ : 0;
}

void TfrmCodeExport::refresh() {
    // A code of a known protocol goes into an IR signal file as a parsed
    // record, unless raw records only are asked for.
    ckRawOnly->setEnabled(format() == InterchangeFormat::IrFile);
    written_ = exportRows(table_, format(), rowChoice(), remoteName_,
                          ckRawOnly->isChecked() ? nullptr : &protocolCodec());
    memoText->setPlainText(QString::fromUtf8(written_.bytes));
    QStringList notes;
    for (const InterchangeNote &note : written_.notes)
        notes << note.message;
    memoNotes->setPlainText(notes.join(QLatin1Char('\n')));
    lblDone->clear();
    btnCopy->setEnabled(written_.ok);
    btnSave->setEnabled(written_.ok);
}

void TfrmCodeExport::btnCopyClick() {
    if (!written_.ok) return;
    QGuiApplication::clipboard()->setText(QString::fromUtf8(written_.bytes));
    lblDone->setText(tr("クリップボードへ書出しました"));
}

void TfrmCodeExport::btnSaveClick() {
    if (!written_.ok) return;
    const FormatFile &entry = kFormats[cmbFormat->currentIndex()];
    FileDialogSetup setup;
    setup.filter = tr(entry.filter) + tr("|全てのﾌｧｲﾙ (*.*)|*.*");
    setup.defaultExt = QString::fromLatin1(entry.extension);
    const std::optional<FileChoice> choice = prompter_.saveFile(this, setup);
    if (!choice) return;
    QString error;
    if (!saveFileAtomically(choice->path, written_.bytes, &error)) {
        prompter_.ask(this, tr("ファイルを保存できませんでした。\n%1\n%2").arg(choice->path, error),
                      texts::captionWarning(), MsgIcon::Warning, MsgButtons::Ok);
        return;
    }
    lblDone->setText(tr("%1 へ書出しました").arg(choice->path));
}

} // namespace zevo3
