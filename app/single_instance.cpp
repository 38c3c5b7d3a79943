#include "single_instance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>
#include <cstdio>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zevo3 {

namespace {
constexpr int kConnectMs = 500;
// How long a later copy keeps trying to reach a copy that holds the lock but
// does not listen yet (it is still starting).
constexpr int kStartingCopyMs = 15000;
const QByteArray kRaise = "raise\n";
const QByteArray kOpen = "open ";
// A request line longer than this is not one of ours.
constexpr qint64 kMaxRequest = 64 * 1024;

#ifdef Q_OS_UNIX
bool isPrivateFolder(const QString &path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
           st.st_uid == ::geteuid() && (st.st_mode & 077) == 0;
}
#endif
} // namespace

SingleInstance::SingleInstance(const QString &title, QObject *parent)
    : QObject(parent), base_(baseNameFor(title)) {
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::baseNameFor(const QString &title) {
    const QByteArray hash =
        QCryptographicHash::hash(title.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("zevo3tool-") + QString::fromLatin1(hash);
}

QString SingleInstance::privateRuntimeFolder(QString *why) {
#ifdef Q_OS_UNIX
    const QString xdg = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!xdg.isEmpty() && isPrivateFolder(xdg)) return QDir(xdg).absolutePath();
    const QString own =
        QDir(QDir::tempPath()).filePath(QStringLiteral("zevo3tool-%1").arg(::geteuid()));
    ::mkdir(QFile::encodeName(own).constData(), 0700);
    if (isPrivateFolder(own)) return own;
    // Somebody else took that name: the user's own cache folder, which no
    // other user can prepare.
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (!cache.isEmpty() && QDir().mkpath(cache)) {
        const QString inCache = QDir(cache).filePath(QStringLiteral("zevo3tool"));
        ::mkdir(QFile::encodeName(inCache).constData(), 0700);
        if (isPrivateFolder(inCache)) return inCache;
    }
    if (why) *why = QStringLiteral("%1 is not a private folder of this user").arg(own);
    return QString();
#else
    const QString own = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    if (!own.isEmpty() && QDir().mkpath(own)) return own;
    if (why) *why = QStringLiteral("no folder for the application's data");
    return QString();
#endif
}

bool SingleInstance::claim(const QString &openPath) {
    QString why;
    const QString folder = privateRuntimeFolder(&why);
    if (folder.isEmpty()) {
        // Better a second copy than none at all.
        std::fprintf(stderr, "zevo3tool: cannot guard against a second copy: %s\n",
                     qPrintable(why));
        return true;
    }
    const QString base = QDir(folder).filePath(base_);
    const QString socketPath = base + QStringLiteral(".sock");
    lock_ = std::make_unique<QLockFile>(base + QStringLiteral(".lock"));
    lock_->setStaleLockTime(0); // stale only when its process is gone

    const QDeadlineTimer deadline(kStartingCopyMs);
    for (;;) {
        if (lock_->tryLock(0)) {
            // The lock is ours: a socket still there was left by a copy that
            // ended without cleaning up.
            QLocalServer::removeServer(socketPath);
            server_ = new QLocalServer(this);
            server_->setSocketOptions(QLocalServer::UserAccessOption);
            if (!server_->listen(socketPath))
                std::fprintf(stderr, "zevo3tool: cannot listen on %s: %s\n", qPrintable(socketPath),
                             qPrintable(server_->errorString()));
            connect(server_, &QLocalServer::newConnection, this, [this] {
                while (QLocalSocket *peer = server_->nextPendingConnection()) {
                    connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
                    connect(peer, &QLocalSocket::readyRead, this,
                            [this, peer] { readRequests(peer); });
                    readRequests(peer);
                }
            });
            return true;
        }
        if (lock_->error() != QLockFile::LockFailedError) {
            std::fprintf(stderr, "zevo3tool: cannot guard against a second copy: lock file %s\n",
                         qPrintable(lock_->fileName()));
            return true;
        }
        // Another copy holds the lock: ask it to come to the front.
        QLocalSocket socket;
        socket.connectToServer(socketPath);
        if (socket.waitForConnected(kConnectMs)) {
            // The path travels as base64, so any name (line ends included) arrives whole.
            socket.write(openPath.isEmpty() ? kRaise : kOpen + openPath.toUtf8().toBase64() + '\n');
            socket.waitForBytesWritten(kConnectMs);
            socket.disconnectFromServer();
            return false;
        }
        // It is still starting; or it cannot listen, and then it runs anyway.
        if (deadline.hasExpired()) return false;
        QThread::msleep(50);
    }
}

void SingleInstance::readRequests(QLocalSocket *peer) {
    // Every request is read before any is acted on, and acted on from the
    // event loop: opening a file may ask a question, during which the peer
    // goes away.
    QStringList opens;
    bool raise = false;
    while (peer->canReadLine()) {
        const QByteArray line = peer->readLine(kMaxRequest).trimmed();
        if (line.startsWith(kOpen)) {
            const QString path = QString::fromUtf8(QByteArray::fromBase64(line.mid(kOpen.size())));
            raise = true;
            if (!path.isEmpty()) opens << path;
        } else if (line == kRaise.trimmed()) {
            raise = true;
        }
    }
    if (peer->bytesAvailable() > kMaxRequest) peer->abort();
    if (raise)
        QMetaObject::invokeMethod(this, &SingleInstance::raiseRequested, Qt::QueuedConnection);
    for (const QString &path : opens)
        QMetaObject::invokeMethod(
            this, [this, path] { emit openRequested(path); }, Qt::QueuedConnection);
}

} // namespace zevo3
