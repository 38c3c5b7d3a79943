// Fuzz target for the wave text file: any bytes as the file. A file is taken
// whole or not at all: when it is, every pulse has a width above 0 and a High
// within it, there are 2 to 4096 of them, and writing them again reads back
// the same pulses; when it is not, the line named lies within the file and
// nothing was taken. The store and the grid filled from what was read hold
// exactly those pulses.

#include "fuzz_check.h"
#include "wave_grid.h"
#include "wave_store.h"
#include "wave_text_file.h"

#include <cstdint>

using namespace zevo3;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const WaveFileRead read = readWaveText(bytes);
    const qsizetype lines = bytes.count('\n') + 1;
    if (!read.ok) {
        FUZZ_CHECK(read.pulses.empty());
        FUZZ_CHECK(!read.message.isEmpty());
        FUZZ_CHECK(read.line >= 1 && read.line <= lines);
        return 0;
    }
    FUZZ_CHECK(read.pulses.size() >= 2 && read.pulses.size() <= size_t(WaveGridData::kRows));
    for (const WavePulse &p : read.pulses)
        FUZZ_CHECK(p.Width > 0 && p.High >= 0 && p.High <= p.Width);
    FUZZ_CHECK(read.carrier >= 0);

    WaveStore store;
    WaveGridData grid;
    const std::vector<int> pnos = classifyPulses(read.pulses, 20, 15);
    FUZZ_CHECK(pnos.size() == read.pulses.size());
    fillWaveFromPulses(read.pulses, pnos, read.carrier, 0, store, grid);
    FUZZ_CHECK(store.count() == int(read.pulses.size()));
    for (size_t k = 0; k < read.pulses.size(); ++k)
        FUZZ_CHECK(store.pulses[k] == read.pulses[k]);
    FUZZ_CHECK(grid.cell(WaveGridData::kHigh, int(read.pulses.size()) + 1).isEmpty());

    const WaveFileRead again =
        readWaveText(writeWaveText(store, read.carryCell, read.commentsCell));
    FUZZ_CHECK(again.ok && again.pulses == read.pulses);
    FUZZ_CHECK(again.carryCell == read.carryCell && again.commentsCell == read.commentsCell);
    return 0;
}
