#pragma once
// The protocols the core reads and builds: each one's field widths, carrier,
// frame timing and builder, and the frame readers tried on every frame.
// Internal to the protocol core.

#include "frame_reading.h"

#include <QString>
#include <vector>

namespace zevo3::protocol {

struct ProtocolEntry {
    QString name;
    int addressBits;
    int commandBits;
    bool toggle; // RC5 and RC6 carry a toggle bit
    int carrierHz;
    int minSends;   // how many frames the shared signal files mean by one code
    int32_t period; // start of one frame to the next; 0: only the gap
    int32_t gap;    // the least space after a frame
    // The frames of one send (Sharp: its two halves), from the fields.
    std::vector<Frame> (*build)(const ProtocolEntry &, uint32_t address, uint32_t command,
                                int toggle);
    Frame repeatFrame; // the protocol's own short repeat frame; empty: the send again
};

const std::vector<ProtocolEntry> &protocolTable();
const ProtocolEntry *protocolEntry(const QString &name);

// Each reads one frame as its family's protocols, or says how near it came.
FrameCode necFamilyFrame(const FrameView &f, int carrierHz);
FrameCode samsungFrame(const FrameView &f, int carrierHz);
FrameCode jvcFrame(const FrameView &f, int carrierHz);
FrameCode kaseikyoFrame(const FrameView &f, int carrierHz);
FrameCode rcaFrame(const FrameView &f, int carrierHz);
FrameCode sharpFrame(const FrameView &f, int carrierHz);
FrameCode sircFrame(const FrameView &f, int carrierHz);
FrameCode rc5Frame(const FrameView &f, int carrierHz);
FrameCode rc6Frame(const FrameView &f, int carrierHz);

// The entries of each family, appended to the table.
void addNecFamily(std::vector<ProtocolEntry> &table);
void addPulseDistanceOthers(std::vector<ProtocolEntry> &table);
void addSirc(std::vector<ProtocolEntry> &table);
void addBiphase(std::vector<ProtocolEntry> &table);

} // namespace zevo3::protocol
