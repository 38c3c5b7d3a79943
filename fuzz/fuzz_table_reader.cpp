// Fuzz target for the table file: any bytes as the file. What was read stays
// within the table, is written again, and the written file reads back without
// a problem into a table that writes the same bytes. The row prefix, the cell
// texts and every tagged field survive that second reading.

#include "fuzz_check.h"
#include "table_file.h"
#include "text_file.h"
#include "transmit_messages.h"

#include <algorithm>
#include <cstdint>
#include <memory>

using namespace zevo3;

namespace {

bool emptyRow(const CodeTable &table, int row) {
    for (int c = 1; c <= 4; ++c)
        if (!table.cell(row, c).isEmpty()) return false;
    return table.waveInfo(row) == WaveInfo();
}

bool sameDescription(const WaveInfo &a, const WaveInfo &b) {
    if (a.Carry != b.Carry || a.DataBits != b.DataBits || a.RepeatBit != b.RepeatBit ||
        a.High != b.High || a.Width != b.Width)
        return false;
    const int count = std::clamp<int32_t>(a.DataBits, 0, WaveInfo::kPcodes);
    return std::equal(a.Pcode.begin(), a.Pcode.begin() + count, b.Pcode.begin());
}

// What the writer makes of the file: 71 lines, each ended by CR LF and by
// nothing else.
void checkWritten(const QByteArray &written) {
    FUZZ_CHECK(written.startsWith(QByteArray(kTableFileId) + kLineEnd));
    FUZZ_CHECK(written.endsWith(kLineEnd));
    FUZZ_CHECK(written.count('\n') == CodeTable::kRows + 1);
    FUZZ_CHECK(written.count('\r') == CodeTable::kRows + 1);
    FUZZ_CHECK(written.count(kLineEnd) == CodeTable::kRows + 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const int lineCount = int(textLines(bytes).size());

    const auto first = std::make_unique<TableFileRead>(ReadTableFile(bytes));
    FUZZ_CHECK(first->rows >= 0 && first->rows <= CodeTable::kRows);
    FUZZ_CHECK(first->rows <= std::max(lineCount - 1, 0));
    for (int row = first->rows + 1; row <= CodeTable::kRows; ++row)
        FUZZ_CHECK(emptyRow(first->table, row));
    FUZZ_CHECK(first->complete() == (first->end != TableReadEnd::ConversionError));
    FUZZ_CHECK((first->end == TableReadEnd::EndOfFile) == (first->endLine == 0));
    FUZZ_CHECK(first->endLine == 0 || (first->endLine >= 2 && first->endLine <= lineCount));
    for (size_t i = 0; i < first->problems.size(); ++i) {
        const FileProblem &p = first->problems[i];
        FUZZ_CHECK(p.line >= 1 && p.line <= std::max(lineCount, 1));
        FUZZ_CHECK(!p.message.isEmpty());
        // Only a conversion error stops reading, and it is the last thing said.
        FUZZ_CHECK(p.error == (!first->complete() && i + 1 == first->problems.size()));
    }
    FUZZ_CHECK(first->identified || (!first->problems.empty() && first->problems[0].line == 1));

    int present = 0;
    for (int row = 1; row <= CodeTable::kRows; ++row)
        present += first->table.waveInfo(row).present();
    FUZZ_CHECK(int(TableLoadLog(first->table).size()) == present);

    const QByteArray written = WriteTableFile(first->table);
    checkWritten(written);
    const auto second = std::make_unique<TableFileRead>(ReadTableFile(written));
    FUZZ_CHECK(second->identified && second->complete());
    FUZZ_CHECK(second->rows == CodeTable::kRows && second->end == TableReadEnd::EndOfFile);
    FUZZ_CHECK(second->problems.empty());
    for (int row = 1; row <= CodeTable::kRows; ++row) {
        for (int column = 1; column <= 3; ++column)
            FUZZ_CHECK(second->table.cell(row, column) ==
                       fileFieldText(first->table.cell(row, column)));
        const QByteArray &result = second->table.cell(row, CodeTable::kColResult);
        FUZZ_CHECK(result.size() >= trimmedCell(first->table.cell(row, 4)).size());
        FUZZ_CHECK(sameDescription(first->table.waveInfo(row), second->table.waveInfo(row)));
    }
    FUZZ_CHECK(WriteTableFile(second->table) == written);
    return 0;
}
