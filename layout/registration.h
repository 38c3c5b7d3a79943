#pragma once
// Registering the layout in the unit (the download): one key-row record per
// layout row, then the code record of every table row from row 1 up to the
// first row without a timing description, each message acknowledged by the
// unit. The plan (which messages, in which order, which acknowledgement
// decides) and the run over a "send and wait" function are here, without a
// window or a port: the layout window and `zevo3 download` share them.

#include "code_table.h"
#include "layout_data.h"

#include <QByteArray>
#include <functional>
#include <vector>

namespace zevo3 {

// How long the unit has to acknowledge each message.
inline constexpr int kRegistrationAckMs = 1000;

// ",%02X,%02X" (code number, attribute byte) for a cell naming a code, or
// ",--,--" for a cell whose code number reads as 0 or less (an empty cell
// too). The attribute byte has bit 7 set when the frame count is not 1 and
// the low seven bits of the wait count below it.
QByteArray keyButtonField(const QByteArray &cellText);

// "Kw:%02d" with the layout row, then the eight button fields.
QByteArray KeyRowRecord(const LayoutData &layout, int row);

struct RegistrationMessage {
    enum Kind { KeyRow, CodeRecord };
    Kind kind = KeyRow;
    int number = 0;       // the layout row (KeyRow) or the table row (CodeRecord)
    QByteArray text;      // as handed to the send operation, without framing
    bool decides = false; // a missing acknowledgement ends the registration
    bool logged = false;  // appended to the receive log when sent
    bool first = false;   // the first message of its key row or code record
};

// Every message of a registration in order, as if each were acknowledged:
// 15 key rows (each deciding, each logged), then for table rows 1, 2, …
// up to the first whose timing description is absent: Twc, Twb, Twr, the
// Twp entries up to the first whose High and Width are both 0 (that one
// included) or entry F, Twd, and Tws, which alone decides.
std::vector<RegistrationMessage> RegistrationPlan(const CodeTable &table, const LayoutData &layout);

enum class RegistrationEnd {
    Completed,       // the last message was acknowledged
    NotAcknowledged, // a deciding message was not acknowledged
    Stopped,         // the operator stopped it, or the port went away
};

struct RegistrationOutcome {
    RegistrationEnd end = RegistrationEnd::Completed;
    int sent = 0;    // messages handed to the send operation
    int failed = -1; // index in the plan of the message that ended it, or -1
};

struct RegistrationHooks {
    // Clears the acknowledgement, sends, waits up to kRegistrationAckMs;
    // true when the unit acknowledged.
    std::function<bool(const RegistrationMessage &)> sendAndWait;
    // Before the first message of a key row or code record (the window moves
    // its cursors there).
    std::function<void(const RegistrationMessage &)> beforeGroup;
    // After each message: i messages of n handed over.
    std::function<void(int i, int n)> progress;
    // Asked before each message: true ends the run as Stopped.
    std::function<bool()> stopRequested;
};

// The layout firing test's cursor after firing the cell (column, row): the
// next cell to the right when it is occupied or the row is the last one;
// column 1 of the next row when the next cell is empty or the cell was in
// column 8 (column 1 of the same row in the last row).
struct CellPosition {
    int row = 0;
    int column = 0;
    bool operator==(const CellPosition &) const = default;
};
CellPosition FiringTestNext(const LayoutData &layout, int row, int column);

RegistrationOutcome RunRegistration(const std::vector<RegistrationMessage> &plan,
                                    const RegistrationHooks &hooks);

} // namespace zevo3
