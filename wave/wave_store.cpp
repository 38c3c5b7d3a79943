#include "wave_store.h"

#include "wave_grid.h"

#include <QCoreApplication>
#include <algorithm>

namespace zevo3 {

// The notices are the window's (its status bar), in its language.

namespace {

QString rowName(int row) {
    return QStringLiteral("No.%1").arg(row, 3, 10, QLatin1Char('0'));
}

// Why pattern entry `entry` cannot be a pulse, or an empty text when it can.
QString entryProblem(const WaveInfo &info, int entry) {
    if (entry >= WaveInfo::kPatterns)
        return QCoreApplication::translate("zevo3", "パターンコード %1 は 0〜15 の外です")
            .arg(entry);
    const int32_t high = info.High[entry];
    const int32_t width = info.Width[entry];
    if (width <= 0)
        return QCoreApplication::translate("zevo3", "パターン %1 の Width が 0 です").arg(entry);
    if (high < 0)
        return QCoreApplication::translate("zevo3", "パターン %1 の High が負です").arg(entry);
    if (high > width)
        return QCoreApplication::translate("zevo3",
                                           "パターン %1 の High (%2) が Width (%3) より大きいです")
            .arg(entry)
            .arg(high)
            .arg(width);
    return QString();
}

} // namespace

WaveFill fillWaveFromRow(const CodeTable &table, int row, WaveStore &store, WaveGridData &grid) {
    WaveFill fill;
    grid.clearAll();
    store.clear();
    if (!CodeTable::validRow(row)) return fill;
    const WaveInfo &info = table.waveInfo(row);
    store.carrier = info.Carry;
    store.tableRow = row;
    if (!info.present()) {
        fill.notice =
            QCoreApplication::translate("zevo3", "%1: 波形情報がありません").arg(rowName(row));
        return fill;
    }
    int wanted = info.DataBits;
    if (wanted > WaveInfo::kPcodes) {
        fill.notice = QCoreApplication::translate("zevo3", "%1: DataBits %2 のうち %3 まで表示")
                          .arg(rowName(row))
                          .arg(wanted)
                          .arg(WaveInfo::kPcodes);
        wanted = WaveInfo::kPcodes;
    }
    int valid = 0;
    for (; valid < wanted; ++valid) {
        const int entry = info.Pcode[valid];
        const QString problem = entryProblem(info, entry);
        if (!problem.isEmpty()) {
            fill.notice = QCoreApplication::translate("zevo3", "%1: パルス %2 で停止 (%3)")
                              .arg(rowName(row))
                              .arg(valid)
                              .arg(problem);
            break;
        }
        store.pulses[valid] = {info.High[entry], info.Width[entry]};
        grid.setPulse(valid, info.High[entry], info.Width[entry], entry);
    }
    if (valid < 2) {
        // A single pulse cannot be told from an empty store.
        grid.clearAll();
        if (fill.notice.isEmpty())
            fill.notice =
                QCoreApplication::translate("zevo3", "%1: パルスが 2 つ未満です (DataBits %2)")
                    .arg(rowName(row))
                    .arg(info.DataBits);
        return fill;
    }
    store.lastPulse = valid - 1;
    fill.pulses = valid;
    return fill;
}

std::vector<int> classifyPulses(const std::vector<WavePulse> &pulses, int highPercent,
                                int widthPercent) {
    std::vector<int> pnos;
    pnos.reserve(pulses.size());
    std::vector<WavePulse> classes;
    const auto near = [](int64_t value, int64_t model, int percent) {
        const int64_t diff = value > model ? value - model : model - value;
        return diff * 100 <= model * percent;
    };
    for (const WavePulse &pulse : pulses) {
        int found = -1;
        for (size_t c = 0; c < classes.size() && found < 0; ++c)
            if (near(pulse.High, classes[c].High, highPercent) &&
                near(pulse.Width, classes[c].Width, widthPercent))
                found = int(c);
        if (found < 0) {
            found = int(classes.size());
            classes.push_back(pulse);
        }
        pnos.push_back(found);
    }
    return pnos;
}

void fillWaveFromPulses(const std::vector<WavePulse> &pulses, const std::vector<int> &pnos,
                        int32_t carrier, int32_t tableRow, WaveStore &store, WaveGridData &grid) {
    grid.clearAll();
    store.clear();
    store.carrier = carrier;
    store.tableRow = tableRow;
    const int count = std::min<int>(int(pulses.size()), WaveGridData::kRows);
    if (count < 2) return;
    for (int k = 0; k < count; ++k) {
        store.pulses[k] = pulses[k];
        grid.setPulse(k, pulses[k].High, pulses[k].Width, k < int(pnos.size()) ? pnos[k] : 0);
    }
    store.lastPulse = count - 1;
}

} // namespace zevo3
