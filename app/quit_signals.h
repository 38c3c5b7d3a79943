#pragma once
// SIGTERM, SIGINT and SIGHUP (a logout, a kill, Ctrl+C in the terminal)
// close the main window as the operator would, so the settings are written
// and the port is closed, instead of the process dying on the spot. The
// handler only writes a byte to a pipe; the GUI thread does the rest.

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace zevo3 {

class QuitOnSignals : public QObject {
    Q_OBJECT
public:
    explicit QuitOnSignals(std::function<void()> onSignal, QObject *parent = nullptr);
    ~QuitOnSignals() override;

private:
    std::function<void()> onSignal_;
    QSocketNotifier *notifier_ = nullptr;
    int fds_[2] = {-1, -1};
};

} // namespace zevo3
