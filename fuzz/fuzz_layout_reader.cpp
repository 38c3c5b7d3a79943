// Fuzz target for the layout file: any bytes as the file. What was read stays
// within the 15 × 8 grid, the cell readers take their defaults for whatever a
// cell holds, and the layout written again reads back into the same cells
// (trimmed), which write the same bytes.

#include "fuzz_check.h"
#include "layout_file.h"
#include "text_file.h"

#include <algorithm>
#include <cstdint>

using namespace zevo3;

namespace {

const QString kPath = QStringLiteral("/fuzz/layout.ZV3");

void checkCellReaders(const LayoutData &layout, int row, int column) {
    const QByteArray &text = layout.cell(row, column);
    FUZZ_CHECK(!text.contains(',') && !text.contains('\r') && !text.contains('\n'));
    const LayoutCell cell = readLayoutCell(text);
    FUZZ_CHECK(cell.code >= -99 && cell.code <= 999);
    FUZZ_CHECK(cell.frames >= -9 && cell.frames <= 99);
    FUZZ_CHECK(cell.wait >= -9 && cell.wait <= 99);
    if (const auto follow = layout.selectCell(row, column)) {
        FUZZ_CHECK(follow->code == cell.code);
        FUZZ_CHECK(follow->code >= 1 && follow->code <= LayoutData::kMaxCode);
        FUZZ_CHECK(follow->framesText.size() <= 2 && follow->waitText.size() <= 2);
    }
    if (isLayoutCellText(text))
        FUZZ_CHECK(layoutCellText(cell.code, cell.frames, cell.wait) == text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const int lineCount = int(textLines(bytes).size());

    const LayoutFileRead first = LoadLayoutFile(bytes);
    FUZZ_CHECK(first.rows >= 0 && first.rows <= LayoutData::kRows);
    FUZZ_CHECK(first.rows <= std::max(lineCount - 1, 0));
    FUZZ_CHECK((first.end == LayoutReadEnd::EndOfFile) == (first.endLine == 0));
    FUZZ_CHECK(first.endLine == 0 || (first.endLine >= 2 && first.endLine <= lineCount));
    for (const FileProblem &p : first.problems)
        FUZZ_CHECK(!p.error && p.line >= 1 && p.line <= std::max(lineCount, 1));
    for (int row = 1; row <= LayoutData::kRows; ++row)
        for (int column = 1; column <= LayoutData::kColumns; ++column) {
            if (row > first.rows) FUZZ_CHECK(first.layout.cell(row, column).isEmpty());
            checkCellReaders(first.layout, row, column);
        }

    const QByteArray written = SaveLayoutFile(first.layout, kPath);
    FUZZ_CHECK(written.count(kLineEnd) == LayoutData::kRows + 1);
    FUZZ_CHECK(written.count('\n') == LayoutData::kRows + 1);
    FUZZ_CHECK(written.count('\r') == LayoutData::kRows + 1);
    const LayoutFileRead second = LoadLayoutFile(written);
    FUZZ_CHECK(second.identified && second.rows == LayoutData::kRows);
    FUZZ_CHECK(second.end == LayoutReadEnd::EndOfFile);
    for (int row = 1; row <= LayoutData::kRows; ++row)
        for (int column = 1; column <= LayoutData::kColumns; ++column)
            FUZZ_CHECK(second.layout.cell(row, column) ==
                       fileFieldText(first.layout.cell(row, column)));
    FUZZ_CHECK(SaveLayoutFile(second.layout, kPath) == written);

    // Deleting from a cell empties exactly the cells it names.
    LayoutData layout = second.layout;
    const int row = size ? 1 + data[0] % LayoutData::kRows : 1;
    const int column = size > 1 ? 1 + data[1] % LayoutData::kColumns : 1;
    const auto direction = DeleteDirection(size > 2 ? data[2] % 3 : 0);
    const CellRect rect = layout.deleteCells(row, column, direction);
    for (int r = 1; r <= LayoutData::kRows; ++r)
        for (int c = 1; c <= LayoutData::kColumns; ++c) {
            const bool inside =
                r >= rect.top && r <= rect.bottom && c >= rect.left && c <= rect.right;
            FUZZ_CHECK(layout.cell(r, c) == (inside ? QByteArray() : second.layout.cell(r, c)));
        }
    return 0;
}
