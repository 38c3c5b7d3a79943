#pragma once
// The messages that describe or select a code for the unit (tags Tw… and
// "Tf:"), as the text handed to the send operation, without framing.
// Numbers are written printf-style: zero padded to the minimum width, wider
// values in full, negative ones with their sign; hexadecimal in upper case.

#include "code_table.h"

#include <QByteArray>
#include <vector>

namespace zevo3 {

// The pattern codes Pcode[0 .. DataBits-1], one upper-case hexadecimal digit
// each, the last one written twice when DataBits is odd, so that the string
// always has an even number of digits. DataBits of 0 or less gives "", and
// counts beyond the 4096 codes of Pcode stop at the last one.
QByteArray TwdDigits(const WaveInfo &info);

QByteArray TwlMessage(int code);                       // "Twl:%03d"
QByteArray TwfMessage(int frames);                     // "Twf:%03d"
QByteArray TwcMessage(int carry);                      // "Twc:%03d"
QByteArray TwbMessage(int dataBits);                   // "Twb:%03d"
QByteArray TwrMessage(int repeat);                     // "Twr:%03d"
QByteArray TwpMessage(int index, int high, int width); // "Twp:%01X:%05d,%06d"
QByteArray TwdMessage(const QByteArray &digits);       // "Twd:" + digits
QByteArray TfMessage(const QByteArray &frames);        // "Tf:" + text
QByteArray TwsMessage(int code);                       // "Tws:%03d"

// Where the pattern entries of a timing description end.
enum class TwpStop {
    // All 16 entries, zero entries included (the main window's firing test).
    AllEntries,
    // After the first entry whose High and Width are both 0, that entry still
    // sent (layout registration).
    AfterBothZero,
    // After the first entry whose High or Width is 0, that entry still sent
    // (the wave information editor's IR Out).
    AfterEitherZero,
};

// The pattern entries sent under a stop rule: 1 to 16.
int twpCount(const WaveInfo &info, TwpStop stop);

// Twc, Twb, Twr, the Twp entries under the stop rule, and Twd with TwdDigits.
std::vector<QByteArray> TimingDescription(const WaveInfo &info, TwpStop stop);

// The main window's firing test on table row `row`. Nothing when the row's
// Carry cell is empty (or the row is not a table row). Otherwise, normally,
// "Twl" with the row and "Twf:003"; in analysis-log mode the row's whole
// timing description with all 16 entries, then "Tf:" with the Frames cell
// as it stands, unless that cell is the empty text.
std::vector<QByteArray> FiringTestMessages(const CodeTable &table, int row, bool analysisLog);

// The fields of the wave information editor, already converted to numbers.
struct EditorFields {
    int32_t Carry = 380;
    int32_t DataBits = 0;
    int32_t RepeatBit = 0;
    std::array<int32_t, WaveInfo::kPatterns> High{};
    std::array<int32_t, WaveInfo::kPatterns> Width{};
    QByteArray PatternCodes; // sent as typed, not checked
};

// IR Out of the editor: "Twf:000", Twc, Twb, Twr, the Twp entries up to the
// first with High or Width 0, "Twd:" with the pattern code text, "Tf:3".
// Nothing when the pattern code text is empty.
std::vector<QByteArray> IrOutMessages(const EditorFields &fields);

// One code record of the layout registration: the timing description with
// the registration's stop rule, then "Tws" with the code number.
std::vector<QByteArray> CodeRecordMessages(const WaveInfo &info, int code);

} // namespace zevo3
