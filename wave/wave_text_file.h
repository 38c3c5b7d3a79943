#pragma once
// The wave text file: the pulse list of the store as the panel's "Save" writes
// it and its "Load" reads it back.
//
//   38.0kHz,TV power,
//   [No.],   [H],   [L],   [W] (uS)
//   [000],  9000,  4500, 13500
//   [001],   560,   560,  1120
//   ...
//   (an empty line)
//
// Line 1 holds a "Carry" and a "Comments" text (a table row's, or those of
// the file the pulses were loaded from); each pulse line its index, High,
// low part (Width - High) and Width in microseconds. Lines end with CR LF;
// the reader takes any line ends.

#include "wave_store.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace zevo3 {

class WaveGridData;

inline constexpr char kWaveListHeader[] = "[No.],   [H],   [L],   [W] (uS)";
// 4097 pulse lines are about 130 KB; anything near this is not a wave file.
inline constexpr qint64 kMaxWaveFileBytes = 4 * 1024 * 1024;

// The file for the store's valid pulses; an empty store gives the two header
// lines and the empty line, never old pulses.
QByteArray writeWaveText(const WaveStore &store, const QByteArray &carryCell,
                         const QByteArray &commentsCell);

// Why a wave text file was not taken. The window words each for the
// operator; `message` says it in English for logs and the command line.
enum class WaveFileFault {
    None,
    Empty,           // no line at all
    NotHeaderLine,   // line 1 is not "Carry,Comments,"
    EndsAfterHeader, // nothing after line 1
    NotColumnLine,   // line 2 is not kWaveListHeader
    TooManyPulses,   // more than the grid's 4096 rows
    NotPulseLine,    // no "[NNN]" index at the start
    IndexOutOfOrder, // `index` written where `due` was due
    NotThreeNumbers, // not ",H,L,W" after the index
    OutOfRange,      // W not above 0, or H below 0
    HighAboveWidth,  // `high` above `width`
    SumNotWidth,     // `high` + `low` is not `width`
    TextAfterEnd,    // text after the empty line that ends the list
    TooFewPulses,    // fewer than two
};

// The numbers of the pulse line a fault names.
struct WaveLineFigures {
    int32_t index = 0, due = 0;
    int32_t high = 0, low = 0, width = 0;
};

struct WaveFileRead {
    bool ok = false;
    int line = 0; // where reading stopped, when not ok
    WaveFileFault fault = WaveFileFault::None;
    WaveLineFigures figures; // for the faults that name them
    QString message;         // why, in English, when not ok
    QByteArray carryCell;
    QByteArray commentsCell;
    int32_t carrier = 0; // from the "Carry" cell ("38.0kHz" gives 380), 0 when it has none
    std::vector<WavePulse> pulses;
};

// Reads a wave text file. Every line is checked: a line that does not fit
// the format, a pulse whose numbers disagree (High + low != Width, a High
// above its Width), an index out of order, more pulses than the grid holds
// (4096), fewer than two, or text after the closing empty line, stops the
// reading with the line and the reason, and nothing is taken.
WaveFileRead readWaveText(const QByteArray &bytes);

// Fills the store and the grid with what was read: the pulses with pattern
// numbers after the tolerances (percent), the carrier of its "Carry" cell,
// no table row, and the file's first line as the store's header. Nothing
// is filled from a read that failed.
void fillWaveFromFile(const WaveFileRead &read, int highPercent, int widthPercent, WaveStore &store,
                      WaveGridData &grid);

// The carrier in tenths of a kilohertz from a "Carry" cell such as "38.0kHz"
// or "38kHz"; 0 when the text does not begin with such a number.
int32_t carrierFromCell(const QByteArray &cell);

} // namespace zevo3
