#include "registration.h"

#include "transmit_messages.h"

namespace zevo3 {

QByteArray keyButtonField(const QByteArray &cellText) {
    const LayoutCell cell = readLayoutCell(cellText);
    if (cell.code <= 0) return QByteArrayLiteral(",--,--");
    const int attribute = (cell.frames != 1 ? 0x80 : 0) | (cell.wait & 0x7F);
    return QByteArray(",") + QByteArray::number(cell.code, 16).toUpper().rightJustified(2, '0') +
           "," + QByteArray::number(attribute, 16).toUpper().rightJustified(2, '0');
}

QByteArray KeyRowRecord(const LayoutData &layout, int row) {
    QByteArray record = "Kw:" + QByteArray::number(row).rightJustified(2, '0');
    for (int column = 1; column <= LayoutData::kColumns; ++column)
        record += keyButtonField(layout.cell(row, column));
    return record;
}

std::vector<RegistrationMessage> RegistrationPlan(const CodeTable &table,
                                                  const LayoutData &layout) {
    std::vector<RegistrationMessage> plan;
    for (int row = 1; row <= LayoutData::kRows; ++row)
        plan.push_back(
            {RegistrationMessage::KeyRow, row, KeyRowRecord(layout, row), true, true, true});
    for (int code = 1; code <= CodeTable::kRows; ++code) {
        const WaveInfo &info = table.waveInfo(code);
        if (!info.present()) break; // codes after the first gap are not registered
        const std::vector<QByteArray> record = CodeRecordMessages(info, code);
        for (size_t i = 0; i < record.size(); ++i)
            plan.push_back({RegistrationMessage::CodeRecord, code, record[i],
                            i + 1 == record.size(), false, i == 0});
    }
    return plan;
}

CellPosition FiringTestNext(const LayoutData &layout, int row, int column) {
    const bool lastRow = row >= LayoutData::kRows;
    if (column + 1 <= LayoutData::kColumns) {
        if (trimmedCell(layout.cell(row, column + 1)).isEmpty() && !lastRow) return {row + 1, 1};
        return {row, column + 1};
    }
    return {lastRow ? row : row + 1, 1};
}

RegistrationOutcome RunRegistration(const std::vector<RegistrationMessage> &plan,
                                    const RegistrationHooks &hooks) {
    RegistrationOutcome outcome;
    const int total = int(plan.size());
    for (int i = 0; i < total; ++i) {
        const RegistrationMessage &message = plan[size_t(i)];
        if (hooks.stopRequested && hooks.stopRequested()) {
            outcome.end = RegistrationEnd::Stopped;
            outcome.failed = i;
            return outcome;
        }
        if (message.first && hooks.beforeGroup) hooks.beforeGroup(message);
        const bool acknowledged = hooks.sendAndWait(message);
        ++outcome.sent;
        if (hooks.progress) hooks.progress(i + 1, total);
        if (message.decides && !acknowledged) {
            outcome.end = RegistrationEnd::NotAcknowledged;
            outcome.failed = i;
            return outcome;
        }
    }
    outcome.end = RegistrationEnd::Completed;
    return outcome;
}

} // namespace zevo3
