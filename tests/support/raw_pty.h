#pragma once
// A pseudo-terminal in raw mode whose master end a test holds: it sees the
// exact bytes the tool writes to the slave, and writes the unit's side.

#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QString>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace zevo3::test {

struct RawPty {
    int master = -1;
    QString slave;
    RawPty() {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) return;
        slave = QString::fromLocal8Bit(ptsname(master));
        termios t{};
        const int s = ::open(ptsname(master), O_RDWR | O_NOCTTY);
        if (s >= 0) {
            tcgetattr(s, &t);
            cfmakeraw(&t);
            tcsetattr(s, TCSANOW, &t);
            ::close(s);
        }
    }
    ~RawPty() {
        if (master >= 0) ::close(master);
    }
    RawPty(const RawPty &) = delete;
    RawPty &operator=(const RawPty &) = delete;
    QByteArray readFor(int ms) {
        QByteArray out;
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            pollfd p{master, POLLIN, 0};
            if (poll(&p, 1, 5) > 0 && (p.revents & POLLIN)) {
                char buf[256];
                const ssize_t n = ::read(master, buf, sizeof buf);
                if (n > 0) out.append(buf, n);
            }
        }
        return out;
    }
    void write(const QByteArray &bytes) const {
        if (::write(master, bytes.constData(), size_t(bytes.size())) < 0) {
        }
    }
};

} // namespace zevo3::test
