#pragma once
// What every interchange reader's fuzz target checks: a text is taken whole
// (codes, no error) or refused (no codes, an error); every note's line lies
// within the text; each code read has a carrier and durations none below 0;
// and a code the quantiser takes becomes a description within the unit's
// limits that gives a signal of the same length back, and the codes store
// into a table whole or not at all.

#include "flat_signal.h"
#include "fuzz_check.h"
#include "imported_row.h"
#include "ir_protocol.h"
#include "quantiser.h"

#include <QByteArray>

namespace zevo3::fuzz {

inline void checkRead(const QByteArray &bytes, const InterchangeRead &read) {
    const int lines = int(bytes.count('\n') + bytes.count('\r')) + 1;
    for (const InterchangeNote &n : read.notes) {
        FUZZ_CHECK(n.line >= 0 && n.line <= lines);
        FUZZ_CHECK(!n.message.isEmpty());
    }
    if (!read.ok()) {
        FUZZ_CHECK(read.codes.empty());
        FUZZ_CHECK(!read.firstError().isEmpty());
        return;
    }
    FUZZ_CHECK(!read.codes.empty());
    bool allFit = true;
    for (const InterchangeCode &code : read.codes) {
        FUZZ_CHECK(code.signal.carrierHz >= 0);
        FUZZ_CHECK(!code.signal.durations.empty());
        for (const int32_t d : code.signal.durations)
            FUZZ_CHECK(d >= 0);
        // Whatever a code is, the decoder says so without failing; a code it
        // names is built again from its fields as the same code.
        const DecodedCode decoded = decodeSignal(code.signal);
        if (decoded.matched()) {
            const EncodedCode again =
                encodeSignal(decoded.protocol, decoded.address, decoded.command, 0, decoded.toggle);
            FUZZ_CHECK(again.ok);
            const DecodedCode twice = decodeSignal(again.signal);
            FUZZ_CHECK(twice.protocol == decoded.protocol && twice.address == decoded.address &&
                       twice.command == decoded.command && twice.toggle == decoded.toggle);
        } else {
            FUZZ_CHECK(!decoded.note.isEmpty());
        }
        const Quantised q = quantise(code.signal, {}, code.gapUs);
        if (!q.ok) {
            FUZZ_CHECK(!q.message.isEmpty());
            allFit = false;
            continue;
        }
        FUZZ_CHECK(q.info.Carry >= kMinCarry && q.info.Carry <= kMaxCarry);
        FUZZ_CHECK(q.entries >= 1 && q.entries <= WaveInfo::kPatterns);
        FUZZ_CHECK(q.info.DataBits == int(code.signal.durations.size() + 1) / 2);
        for (int e = 0; e < q.entries; ++e) {
            FUZZ_CHECK(q.info.High[size_t(e)] >= 1 && q.info.High[size_t(e)] <= kMaxHighUs);
            FUZZ_CHECK(q.info.Width[size_t(e)] > q.info.High[size_t(e)] &&
                       q.info.Width[size_t(e)] <= kMaxWidthUs);
        }
        for (int k = 0; k < q.info.DataBits; ++k)
            FUZZ_CHECK(q.info.Pcode[size_t(k)] < q.entries);
        FUZZ_CHECK(flatSignalOf(q.info).durations.size() == size_t(q.info.DataBits) * 2);
    }
    if (read.codes.size() <= size_t(CodeTable::kRows)) {
        CodeTable table;
        const StoreResult stored = storeImported(table, 1, read.codes);
        if (!stored.ok)
            FUZZ_CHECK(table == CodeTable{});
        else
            FUZZ_CHECK(allFit && stored.rows.last == int(read.codes.size()));
    }
}

} // namespace zevo3::fuzz
