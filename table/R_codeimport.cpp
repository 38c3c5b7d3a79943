#include "R_codeimport.h"

#include "code_storing.h"
#include "code_table_model.h"
#include "imported_row.h"
#include "link_texts.h"
#include "parsed_codec.h"
#include "prompter.h"
#include "save_file.h"
#include "table_document.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <iterator>

namespace zevo3 {

namespace {

constexpr InterchangeFormat kFormats[] = {InterchangeFormat::Pronto, InterchangeFormat::Raw,
                                          InterchangeFormat::IrFile, InterchangeFormat::Lirc};

enum Column {
    ColName,
    ColCarrier,
    ColPairs,
    ColEntries,
    ColDeviationUs,
    ColDeviationPct,
    ColNotes
};

} // namespace

SignalPlot::SignalPlot(QWidget *parent) : QWidget(parent) {
    setMinimumSize(320, 60);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void SignalPlot::setSignal(const FlatSignal &signal) {
    signal_ = signal;
    update();
}

void SignalPlot::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    const std::vector<QPointF> trace = signalTrace(signal_, QRectF(rect()).adjusted(4, 8, -4, -8));
    if (trace.empty()) return;
    painter.setPen(QPen(Qt::green, 1));
    painter.drawPolyline(trace.data(), int(trace.size()));
}

TfrmCodeImport::TfrmCodeImport(CodeTableModel &model, Prompter &prompter, int firstRow,
                               QWidget *parent)
    : QDialog(parent), model_(model), prompter_(prompter) {
    setObjectName(QStringLiteral("frmCodeImport"));
    setWindowTitle(tr("コードの取込"));

    memoText = new QPlainTextEdit(this);
    memoText->setObjectName(QStringLiteral("memoText"));
    memoText->setPlaceholderText(tr("Pronto Hex、raw、IR signal file、LIRC のテキストを貼付け"));
    memoText->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Tab leaves the text for the next control: the formats need no typed
    // tab (a pasted one stays), and the keyboard must not be caught here.
    memoText->setTabChangesFocus(true);
    btnFile = new QPushButton(tr("ファイル..."), this);
    btnFile->setObjectName(QStringLiteral("btnFile"));
    cmbFormat = new QComboBox(this);
    cmbFormat->setObjectName(QStringLiteral("cmbFormat"));
    for (InterchangeFormat format : kFormats)
        cmbFormat->addItem(tr(formatName(format)), int(format));
    edtRow = new QSpinBox(this);
    edtRow->setObjectName(QStringLiteral("edtRow"));
    edtRow->setRange(1, CodeTable::kRows);
    edtRow->setValue(CodeTable::validRow(firstRow) ? firstRow : 1);

    lstCodes = new QTableWidget(0, ColNotes + 1, this);
    lstCodes->setObjectName(QStringLiteral("lstCodes"));
    lstCodes->setHorizontalHeaderLabels({tr("名前"), tr("搬送波"), tr("ペア"), tr("エントリ"),
                                         tr("最大偏差 µs"), tr("%"), tr("備考")});
    lstCodes->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstCodes->setSelectionMode(QAbstractItemView::NoSelection);
    lstCodes->setTabKeyNavigation(false); // Tab goes on, as from the text
    lstCodes->verticalHeader()->setVisible(false);
    lstCodes->horizontalHeader()->setStretchLastSection(true);
    lblError = new QLabel(this);
    lblError->setObjectName(QStringLiteral("lblError"));
    lblError->setStyleSheet(QStringLiteral("color: #b00000"));
    lblError->setWordWrap(true);
    memoNotes = new QPlainTextEdit(this);
    memoNotes->setObjectName(QStringLiteral("memoNotes"));
    memoNotes->setReadOnly(true);
    memoNotes->setMaximumHeight(60);
    pbxWave = new SignalPlot(this);
    pbxWave->setObjectName(QStringLiteral("pbxWave"));
    btnStore = new QPushButton(tr("格納"), this);
    btnStore->setObjectName(QStringLiteral("btnStore"));
    btnStore->setDefault(true);
    btnCancel = new QPushButton(tr("ｷｬﾝｾﾙ"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));

    placeControls();

    connect(memoText, &QPlainTextEdit::textChanged, this, &TfrmCodeImport::memoTextChange);
    connect(cmbFormat, &QComboBox::currentIndexChanged, this, &TfrmCodeImport::cmbFormatChange);
    connect(btnFile, &QPushButton::clicked, this, &TfrmCodeImport::btnFileClick);
    connect(btnStore, &QPushButton::clicked, this, &TfrmCodeImport::btnStoreClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    showPreview();
}

void TfrmCodeImport::placeControls() {
    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(tr("形式"), this));
    top->addWidget(cmbFormat);
    top->addWidget(btnFile);
    top->addStretch();
    top->addWidget(new QLabel(tr("格納先の行"), this));
    top->addWidget(edtRow);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnStore);
    buttons->addWidget(btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(memoText, 2);
    layout->addWidget(lblError);
    layout->addWidget(lstCodes, 2);
    layout->addWidget(memoNotes);
    layout->addWidget(pbxWave);
    layout->addLayout(buttons);
    resize(720, 520);
    // Tab goes as the controls stand, top row first; the text has the focus
    // at the start, ready for a paste.
    QWidget *const order[] = {cmbFormat, btnFile,   edtRow,   memoText,
                              lstCodes,  memoNotes, btnStore, btnCancel};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
    memoText->setFocus();
}

void TfrmCodeImport::setText(const QByteArray &bytes) {
    memoText->setPlainText(QString::fromUtf8(bytes));
}

bool TfrmCodeImport::loadFile(const QString &path) {
    QByteArray bytes;
    QString error;
    if (!readFileBounded(path, kMaxTableFileBytes, &bytes, &error)) {
        prompter_.ask(this, tr("ファイルを読み込めません。\n%1\n%2").arg(path, error),
                      texts::captionWarning(), MsgIcon::Warning, MsgButtons::Ok);
        return false;
    }
    setText(bytes);
    return true;
}

int TfrmCodeImport::firstRow() const {
    return edtRow->value();
}

InterchangeFormat TfrmCodeImport::format() const {
    return InterchangeFormat(cmbFormat->currentData().toInt());
}

void TfrmCodeImport::memoTextChange() {
    // Each new text is guessed again; the operator may still choose another.
    const InterchangeFormat guessed = guessFormat(memoText->toPlainText().toUtf8());
    if (guessed != InterchangeFormat::Unknown) {
        const QSignalBlocker quiet(cmbFormat);
        cmbFormat->setCurrentIndex(cmbFormat->findData(int(guessed)));
    }
    showPreview();
}

void TfrmCodeImport::cmbFormatChange() {
    showPreview();
}

void TfrmCodeImport::showPreview() {
    preview_ = previewImport(format(), memoText->toPlainText().toUtf8(), {}, &protocolCodec());
    const bool empty = memoText->toPlainText().trimmed().isEmpty();
    lblError->setText(empty ? QString() : preview_.error);
    QStringList notes;
    for (const InterchangeNote &note : preview_.read.notes)
        if (!note.error) notes << note.message;
    memoNotes->setPlainText(notes.join(QLatin1Char('\n')));

    lstCodes->setRowCount(int(preview_.codes.size()));
    for (int r = 0; r < int(preview_.codes.size()); ++r) {
        const PreviewCode &code = preview_.codes[size_t(r)];
        auto put = [this, r](int column, const QString &text) {
            lstCodes->setItem(r, column, new QTableWidgetItem(text));
        };
        put(ColName, code.name);
        put(ColCarrier, tr("%1 Hz").arg(code.carrierHz));
        put(ColPairs, code.fits ? QString::number(code.pairs) : QString());
        put(ColEntries, code.fits ? QString::number(code.entries) : QString());
        put(ColDeviationUs, code.fits ? QString::number(code.maxDeviationUs) : QString());
        put(ColDeviationPct,
            code.fits ? QString::number(code.maxDeviationPercent, 'f', 1) : QString());
        const NameProblem name = nameProblem(code.name);
        put(ColNotes, name.position ? nameProblemText(name) : code.notes);
    }
    lstCodes->resizeColumnsToContents();
    // Sizing the notes column to its contents ends its stretch; take it up
    // again so that it fills the list's width.
    lstCodes->horizontalHeader()->setStretchLastSection(false);
    lstCodes->horizontalHeader()->setStretchLastSection(true);
    pbxWave->setSignal(preview_.read.codes.empty() ? FlatSignal()
                                                   : preview_.read.codes.front().signal);
    btnStore->setEnabled(preview_.storable());
}

void TfrmCodeImport::btnFileClick() {
    FileDialogSetup setup;
    setup.filter = tr("全てのﾌｧｲﾙ (*.*)|*.*|ﾃｷｽﾄﾌｧｲﾙ (*.txt)|*.txt|"
                      "IR signals (*.ir)|*.ir|LIRC (*.conf)|*.conf");
    const std::optional<FileChoice> choice = prompter_.openFile(this, setup);
    if (choice) loadFile(choice->path);
}

void TfrmCodeImport::btnStoreClick() {
    if (!preview_.storable()) return;
    const std::optional<RowRange> rows =
        storeCodesAsked(model_, prompter_, this, firstRow(), preview_.read.codes);
    if (!rows) return;
    emit stored(*rows);
    accept();
}

} // namespace zevo3
