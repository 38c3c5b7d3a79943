// zevo3 print and wave: the table print into a PDF file, and a row's
// waveform (or a wave text file's) drawn, printed or exported.

#include "cli_output.h"
#include "commands.h"
#include "exit_status.h"
#include "save_file.h"
#include "table_input.h"
#include "table_print.h"
#include "wave_command.h"
#include "wave_render.h"
#include "wave_text_file.h"

#include <QDate>
#include <QFileInfo>
#include <optional>

namespace zevo3::cli {

namespace {

// The table print into a PDF file, as "Table 印刷" prints it.
int print(const Invocation &call) {
    if (call.args.size() != 1 || !call.isSet(QStringLiteral("pdf")))
        return call.usage(QStringLiteral("print: give one table file and --pdf OUT"));
    const QString &tablePath = call.args[0];
    const QString pdfPath = call.value(QStringLiteral("pdf"));
    const std::optional<CodeTable> table =
        readWholeTable(tablePath, QStringLiteral("nothing printed"));
    if (!table) return kCannot;
    const QByteArray pdf =
        tablePrintPdf(*table, QFileInfo(tablePath).fileName(), QDate::currentDate());
    QString error;
    if (!saveFileAtomically(pdfPath, pdf, &error)) {
        tell(QStringLiteral("cannot write %1: %2").arg(pdfPath, error));
        return kCannot;
    }
    return kDone;
}

// A row's waveform: drawn as the panel draws it (PNG), printed as "Print"
// prints it (PDF), exported as "Save" writes it (text); with an overlay the
// frame values go to standard output.
struct WaveFiles {
    QString png, pdf, text;
    bool any() const { return !png.isEmpty() || !pdf.isEmpty() || !text.isEmpty(); }
};

int writeWave(const WaveOutputs &out, const WaveFiles &files) {
    const std::pair<const QString &, const QByteArray &> writes[] = {
        {files.png, out.png}, {files.pdf, out.pdf}, {files.text, out.text}};
    for (const auto &[path, bytes] : writes) {
        if (path.isEmpty()) continue;
        QString error;
        if (!saveFileAtomically(path, bytes, &error)) {
            tell(QStringLiteral("cannot write %1: %2").arg(path, error));
            return kCannot;
        }
    }
    if (!out.checkLine.isEmpty()) say(out.checkLine);
    if (!out.frameLines.isEmpty() && !writeOut(out.frameLines)) return cannotWriteOut();
    return kDone;
}

int waveOfRow(const QString &tablePath, const QString &rowText, WaveRequest request,
              const WaveFiles &files) {
    const std::optional<int> row = wholeNumber(rowText, 1, CodeTable::kRows);
    if (!row) {
        tell(QStringLiteral("wave: the row is 1 to %1, not \"%2\"")
                 .arg(CodeTable::kRows)
                 .arg(rowText));
        return kCannot;
    }
    request.row = *row;
    const std::optional<CodeTable> table =
        readWholeTable(tablePath, QStringLiteral("nothing drawn"));
    if (!table) return kCannot;
    const WaveOutputs out = makeWaveOutputs(*table, request);
    if (!out.notice.isEmpty()) tell(out.notice);
    if (!out.drawn) {
        tell(QStringLiteral("%1: row %2 has no waveform to draw; nothing written")
                 .arg(tablePath)
                 .arg(request.row));
        return kCannot;
    }
    return writeWave(out, files);
}

// A wave text file drawn, printed or exported again, as after the panel's
// "Load".
int waveFromText(const QString &wavePath, const WaveRequest &request, const WaveFiles &files) {
    QByteArray bytes;
    QString error;
    if (!readFileBounded(wavePath, kMaxWaveFileBytes, &bytes, &error)) {
        tell(QStringLiteral("cannot read %1: %2").arg(wavePath, error));
        return kCannot;
    }
    const WaveOutputs out = makeWaveOutputsFromText(bytes, request, &error);
    if (!out.drawn) {
        tell(
            QStringLiteral("%1 is not a wave text file: %2; nothing written").arg(wavePath, error));
        return kNoAnswer;
    }
    return writeWave(out, files);
}

// --ts, --tw and --bits into the Philips overlay; empty when they are good.
QString readPhilipsTimings(const Invocation &call, OverlaySettings *overlay) {
    const std::pair<const char *, int *> timings[] = {
        {"ts", &overlay->ts}, {"tw", &overlay->tw}, {"bits", &overlay->bits}};
    for (const auto &[name, target] : timings) {
        const QString option = QString::fromLatin1(name);
        if (!call.isSet(option)) continue;
        const bool tw = option == QLatin1String("tw");
        const std::optional<int> value =
            wholeNumber(call.value(option), tw ? 1 : -1000000, 10000000);
        if (!value)
            return QStringLiteral("--%1: a whole number%2, not \"%3\"")
                .arg(option, tw ? QStringLiteral(" above 0") : QString(), call.value(option));
        *target = *value;
    }
    return {};
}

// The zoom and the overlay of a wave request; empty when they are good.
QString readWaveView(const Invocation &call, WaveRequest *request) {
    const QString zoom = call.value(QStringLiteral("zoom"));
    if (call.isSet(QStringLiteral("zoom"))) {
        const std::optional<int> z = wholeNumber(zoom, 1, 3000);
        if (!z || zoomIndex(*z) == int(kZoomSteps.size()))
            return QStringLiteral("--zoom: one of the zoom steps 25 to 3000, not \"%1\"").arg(zoom);
        request->zoom = *z;
    }
    const QString overlay = call.value(QStringLiteral("overlay"));
    const bool philips = overlay == QLatin1String("philips");
    if (call.isSet(QStringLiteral("overlay")) && !philips && overlay != QLatin1String("eiritsu"))
        return QStringLiteral("--overlay: eiritsu or philips, not \"%1\"").arg(overlay);
    if (!philips && (call.isSet(QStringLiteral("ts")) || call.isSet(QStringLiteral("tw")) ||
                     call.isSet(QStringLiteral("bits"))))
        return QStringLiteral("--ts, --tw and --bits go with --overlay philips");
    if (overlay == QLatin1String("eiritsu")) request->overlay = OverlaySettings::eiritsu();
    if (!philips) return {};
    request->overlay = OverlaySettings::philips({}, {}, {});
    return readPhilipsTimings(call, &request->overlay);
}

int wave(const Invocation &call) {
    const WaveFiles files{call.value(QStringLiteral("png")), call.value(QStringLiteral("pdf")),
                          call.value(QStringLiteral("text"))};
    const bool fromText = call.isSet(QStringLiteral("from-text"));
    if (call.args.size() != (fromText ? 0 : 2) || !files.any())
        return call.usage(QStringLiteral("wave: give one table file and a row, or --from-text "
                                         "FILE, and --png OUT, --pdf OUT or --text OUT"));
    if (fromText && call.isSet(QStringLiteral("code-check")))
        return call.usage(QStringLiteral("wave: --code-check needs a table row's Result, not "
                                         "--from-text"));
    WaveRequest request;
    request.png = !files.png.isEmpty();
    request.pdf = !files.pdf.isEmpty();
    request.text = !files.text.isEmpty();
    request.codeCheck = call.isSet(QStringLiteral("code-check"));
    const QString bad = readWaveView(call, &request);
    if (!bad.isEmpty()) return call.usage(bad);
    if (fromText) return waveFromText(call.value(QStringLiteral("from-text")), request, files);
    return waveOfRow(call.args[0], call.args[1], request, files);
}

} // namespace

std::vector<CommandEntry> drawingCommands() {
    using Kind = CommandEntry::Kind;
    const QStringList waveOptions = {QStringLiteral("png"),        QStringLiteral("pdf"),
                                     QStringLiteral("text"),       QStringLiteral("zoom"),
                                     QStringLiteral("overlay"),    QStringLiteral("ts"),
                                     QStringLiteral("tw"),         QStringLiteral("bits"),
                                     QStringLiteral("code-check"), QStringLiteral("from-text")};
    return {
        {QStringLiteral("print"),
         Kind::Drawing,
         QStringLiteral("print TABLE --pdf OUT"),
         QStringLiteral(
             "  print TABLE --pdf OUT\n"
             "                  the table print (occupied rows under a header) into a PDF file\n"),
         {QStringLiteral("pdf")},
         print},
        {QStringLiteral("wave"), Kind::Drawing,
         QStringLiteral("wave (TABLE ROW | --from-text FILE) [--overlay NAME] [--zoom Z] (--png "
                        "OUT | --pdf OUT | --text OUT)"),
         QStringLiteral(
             "  wave TABLE ROW [--overlay eiritsu|philips [--ts N --tw N --bits N]] [--zoom Z]\n"
             "       [--code-check] (--png OUT | --pdf OUT | --text OUT)...\n"
             "                  the row's waveform: as the panel draws it (20000 x 63) into a "
             "PNG,\n"
             "                  as the wave print into a PDF, as the wave export into a text "
             "file;\n"
             "                  with an overlay, each frame's value on standard output\n"
             "  wave --from-text FILE [--overlay ...] [--zoom Z] (--png OUT | --pdf OUT | --text "
             "OUT)...\n"
             "                  the same for a wave text file, as the panel's Load reads it, "
             "under\n"
             "                  the file's own first line\n"),
         waveOptions, wave},
    };
}

} // namespace zevo3::cli
