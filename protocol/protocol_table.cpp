#include "protocol_table.h"

#include <algorithm>

namespace zevo3::protocol {

const std::vector<ProtocolEntry> &protocolTable() {
    static const std::vector<ProtocolEntry> table = [] {
        std::vector<ProtocolEntry> t;
        addNecFamily(t);
        addPulseDistanceOthers(t);
        addSirc(t);
        addBiphase(t);
        return t;
    }();
    return table;
}

const ProtocolEntry *protocolEntry(const QString &name) {
    const std::vector<ProtocolEntry> &table = protocolTable();
    const auto it = std::find_if(table.begin(), table.end(),
                                 [&](const ProtocolEntry &e) { return e.name == name; });
    return it == table.end() ? nullptr : &*it;
}

} // namespace zevo3::protocol
