#pragma once
// A port lister that offers the ports a test names, in its order.

#include "port_search.h"

#include <vector>

namespace zevo3::test {

struct ListedPorts : PortLister {
    std::vector<PortCandidate> ports;
    std::vector<PortCandidate> candidates() const override { return ports; }
};

} // namespace zevo3::test
