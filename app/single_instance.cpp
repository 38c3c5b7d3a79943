#include "single_instance.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>

namespace zevo3 {

namespace {
constexpr int kConnectMs = 500;
const QByteArray kRaise = "raise\n";
} // namespace

SingleInstance::SingleInstance(const QString &title, QObject *parent)
    : QObject(parent), name_(serverNameFor(title)) {
}

QString SingleInstance::serverNameFor(const QString &title) {
    const QByteArray user = qgetenv("USER");
    const QByteArray hash =
        QCryptographicHash::hash((title + QLatin1Char('|') + QString::fromLocal8Bit(user)).toUtf8(),
                                 QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    return QStringLiteral("zevo3tool-") + QString::fromLatin1(hash);
}

bool SingleInstance::claim() {
    {
        QLocalSocket socket;
        socket.connectToServer(name_);
        if (socket.waitForConnected(kConnectMs)) {
            socket.write(kRaise);
            socket.waitForBytesWritten(kConnectMs);
            socket.disconnectFromServer();
            return false;
        }
    }
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(name_)) {
        // Left behind by a copy that crashed: nobody answered above.
        QLocalServer::removeServer(name_);
        server_->listen(name_);
    }
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *peer = server_->nextPendingConnection()) {
            connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
            emit raiseRequested();
        }
    });
    return true;
}

} // namespace zevo3
