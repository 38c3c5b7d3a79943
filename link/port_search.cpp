#include "port_search.h"

#include "command_set.h"
#include "text_codec.h"

#include <QSerialPortInfo>
#include <algorithm>

namespace zevo3 {

std::vector<PortCandidate> SystemPortLister::candidates() const {
    std::vector<PortCandidate> out;
#ifdef Q_OS_WIN
    for (int n = 1; n <= kMaxSearchPorts; ++n)
        out.push_back({QStringLiteral("COM%1").arg(n), QString()});
#else
    QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    std::sort(ports.begin(), ports.end(), [](const QSerialPortInfo &a, const QSerialPortInfo &b) {
        return a.portName() < b.portName();
    });
    for (const QSerialPortInfo &port : ports) {
        if (int(out.size()) >= kMaxSearchPorts) break;
        QString description = port.description();
        if (!port.serialNumber().isEmpty())
            description +=
                (description.isEmpty() ? QString() : QStringLiteral(" ")) + port.serialNumber();
        out.push_back({port.systemLocation(), description});
    }
#endif
    return out;
}

PortSearchResult searchPorts(Link &link, ComSettings &settings,
                             const std::vector<PortCandidate> &candidates,
                             const PortSearchHooks &hooks) {
    const ComSettings kept = settings;
    const bool reporting = link.errorReporting();
    PortSearchResult result;
    result.portName = toDisplay(settings.PortName);
    link.setErrorReporting(false); // a port that will not open is skipped silently
    for (int i = 0; i < int(candidates.size()); ++i) {
        const PortCandidate &candidate = candidates[size_t(i)];
        if (hooks.trying) hooks.trying(i, candidate.name);
        settings.PortName = toCp932(candidate.name);
        if (link.OpenPort(true)) {
            result.openable.push_back(candidate);
            if (hooks.opened) hooks.opened(candidate);
            link.clearAck();
            link.SendMessage(cmd::kVer);
            const bool answered = link.WaitForAck(kSearchAnswerMs);
            link.ClosePort();
            if (hooks.asked) hooks.asked(candidate, answered);
            if (answered) {
                result.found = i;
                result.portName = candidate.name;
                break;
            }
        } else if (hooks.failed) {
            hooks.failed(candidate, link.device().openFailureReason());
        }
        if (hooks.between && hooks.between()) break;
    }
    settings = kept;
    settings.PortName = toCp932(result.portName);
    link.setErrorReporting(reporting);
    return result;
}

} // namespace zevo3
