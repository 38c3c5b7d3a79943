#pragma once
// The port search of the communication settings dialog (and of a command-line
// search): each candidate port is opened with the current line parameters,
// asked "Ver", and given 100 ms to answer; the first that answers is the
// result. Candidates come from a lister, so tests hand in their own.

#include "link.h"
#include "settings.h"

#include <QString>
#include <functional>
#include <vector>

namespace zevo3 {

struct PortCandidate {
    QString name;        // what is stored as PortName
    QString description; // what the system says of it ("USB-Serial …"), may be empty
    bool operator==(const PortCandidate &) const = default;
};

class PortLister {
public:
    virtual ~PortLister() = default;
    virtual std::vector<PortCandidate> candidates() const = 0;
};

// COM1 … COM100 on Windows; elsewhere the serial ports the system lists, in
// name order, at most 100.
class SystemPortLister : public PortLister {
public:
    std::vector<PortCandidate> candidates() const override;
};

inline constexpr int kSearchAnswerMs = 100;
inline constexpr int kMaxSearchPorts = 100;

struct PortSearchHooks {
    // Before each candidate: its 0-based index and name.
    std::function<void(int index, const QString &name)> trying;
    // A candidate that could be opened, and one that could not, with why.
    std::function<void(const PortCandidate &candidate)> opened;
    std::function<void(const PortCandidate &candidate, const QString &reason)> failed;
    // An opened candidate after its question: whether it answered.
    std::function<void(const PortCandidate &candidate, bool answered)> asked;
    // Between candidates: the caller lets its windows repaint; true stops the search.
    std::function<bool()> between;
};

struct PortSearchResult {
    std::vector<PortCandidate> openable; // in the order tried
    int found = -1;                      // index in the candidates of the port that answered
    QString portName;                    // the answering port, or the name from before
};

// Runs the search with the link's error reporting off and leaves the port
// closed. The settings come back as they were, except PortName, which is the
// result. The acknowledgement is cleared before each query, so a late answer
// on one port never hides the unit on a later one.
PortSearchResult searchPorts(Link &link, ComSettings &settings,
                             const std::vector<PortCandidate> &candidates,
                             const PortSearchHooks &hooks);

} // namespace zevo3
