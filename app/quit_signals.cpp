#include "quit_signals.h"

#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace zevo3 {

#ifdef Q_OS_UNIX
namespace {
// A signal handler can reach nothing else: the write end of the pipe of the
// one QuitOnSignals that main() makes.
volatile sig_atomic_t signalFd = -1;

void onQuitSignal(int) {
    const int fd = signalFd;
    if (fd < 0) return;
    const char byte = 1;
    (void)!::write(fd, &byte, 1);
}
} // namespace
#endif

QuitOnSignals::QuitOnSignals(std::function<void()> onSignal, QObject *parent)
    : QObject(parent), onSignal_(std::move(onSignal)) {
#ifdef Q_OS_UNIX
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, fds_) != 0) return;
    signalFd = fds_[0];
    notifier_ = new QSocketNotifier(fds_[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char buffer[16];
        while (::read(fds_[1], buffer, sizeof buffer) > 0) {
        }
        if (onSignal_) onSignal_();
    });
    struct sigaction action {};
    action.sa_handler = onQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(sig, &action, nullptr);
#endif
}

QuitOnSignals::~QuitOnSignals() {
#ifdef Q_OS_UNIX
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        ::signal(sig, SIG_DFL);
    signalFd = -1;
    for (int fd : fds_)
        if (fd >= 0) ::close(fd);
#endif
}

} // namespace zevo3
