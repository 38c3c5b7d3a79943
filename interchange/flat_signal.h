#pragma once
// The one form every interchange format reads and writes: a carrier in Hz and
// durations in µs, alternately mark and space, starting with a mark. Formats
// meet the code table's timing description only through flatSignalOf (the
// way out) and the quantiser (the way back).

#include "code_table.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace zevo3 {

struct FlatSignal {
    int32_t carrierHz = 0;
    std::vector<int32_t> durations; // mark, space, mark, …

    bool operator==(const FlatSignal &) const = default;
};

// The timing description as a signal: carrier Carry × 100 Hz; for each of the
// DataBits pattern codes, the entry's High as a mark and Width − High as a
// space. A DataBits outside 0..4096 is taken as its nearest limit, and a Width
// below its High gives a space of 0 µs.
FlatSignal flatSignalOf(const WaveInfo &info);

// A code as the formats carry it: its name (empty where the format has
// none), the signal, how often the format says to send it (0 = it does not
// say), and the space the format puts after a code that ends on a mark
// (0 = it gives none).
struct InterchangeCode {
    QString name;
    FlatSignal signal;
    int repeatCount = 0;
    int32_t gapUs = 0;

    bool operator==(const InterchangeCode &) const = default;
};

// Something a reader or writer noticed. `message` is the whole text, with the
// line ("line 7: …") or the code ("code 2 \"Power\": …") it concerns.
struct InterchangeNote {
    int line = 0; // 1-based line of the text, 0 when it concerns no line
    QString message;
    bool error = false; // the text was refused; otherwise a note and reading went on

    bool operator==(const InterchangeNote &) const = default;
};

// What a reader made of a text. When any note is an error no code is given:
// a text is taken whole or not at all.
struct InterchangeRead {
    std::vector<InterchangeCode> codes;
    std::vector<InterchangeNote> notes;

    bool ok() const;
    // The first error, or an empty text.
    QString firstError() const;
};

// What a writer made: the bytes, and what it had to change (a carrier moved
// to the format's resolution, a name made fit). `ok` false (and no bytes)
// when a code cannot be written at all; the notes then say why.
struct InterchangeWrite {
    bool ok = true;
    QByteArray bytes;
    std::vector<InterchangeNote> notes;
};

// A writer's refusal of a code without durations or without a carrier: true
// (and an error note for code `index`, counted from 0) when it is one.
bool refuseEmptyCode(const InterchangeCode &code, size_t index, InterchangeWrite &write);

} // namespace zevo3
