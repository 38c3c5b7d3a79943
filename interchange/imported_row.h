#pragma once
// Codes read from an interchange format become code table rows: the Carry
// cell "38.0kHz", the Frames cell (the format's repeat count, else "1"), the
// Comments cell (the code's name) and the quantised timing description with
// RepeatBit 0. A table row goes the other way as a code to write.

#include "code_table.h"
#include "flat_signal.h"
#include "quantiser.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace zevo3 {

struct ImportedRow {
    bool ok = false;
    QString message; // why the code does not fit, when not ok
    QByteArray carryCell;
    QByteArray framesCell;
    QByteArray commentsCell; // CP932
    Quantised quantised;
};

// "%d.%dkHz" of a Carry value: 380 gives "38.0kHz".
QByteArray carryCellText(int carry);

// What keeps a name out of a Comments cell: the first control character or
// character without a CP932 form (after commas became "，"). `position`
// counts characters from 1; 0 when the name is fine.
struct NameProblem {
    qsizetype position = 0;
    // The character, one or two UTF-16 units; empty when no character alone
    // lacks a form but the name as a whole does.
    QString character;
    bool control = false;
};
NameProblem nameProblem(const QString &name);

// The name as a Comments cell in CP932: commas become the full-width "，"
// (a comma would split the cell in the table file). A name with a control
// character or with a character that has no CP932 form is refused: false,
// and *message says which character.
bool commentsCellOf(const QString &name, QByteArray *cell, QString *message);

ImportedRow importedRow(const InterchangeCode &code, const QuantiseOptions &options = {});

// What one stored code became.
struct StoredCode {
    int row = 0;
    int pairs = 0;
    int entries = 0;
    int maxDeviationUs = 0;
    double maxDeviationPercent = 0;
};

struct StoreResult {
    bool ok = false;
    QString message;                // why nothing was stored, when not ok
    RowRange rows;                  // the rows written
    std::vector<StoredCode> stored; // one a code, in order
    // "row 3 \"Power\": carrier 38029 Hz stored as 38.0 kHz", one a note.
    std::vector<QString> notes;
};

// Stores the codes into consecutive rows from firstRow down, overwriting
// them. When any code does not fit or the codes would run past row 70,
// nothing is changed and the message names the first code that failed.
StoreResult storeImported(CodeTable &table, int firstRow, const std::vector<InterchangeCode> &codes,
                          const QuantiseOptions &options = {});

// The first row whose WaveInfo holds no timing description (Carry 0), or 0
// when every row has one.
int firstRowWithoutDescription(const CodeTable &table);

// A table row as a code to write: the Comments cell (trimmed; a "，" stays
// as it is) as its name and the signal of its timing description.
InterchangeCode codeOfRow(const CodeTable &table, int row);

} // namespace zevo3
