#pragma once
// One running copy per user. The first copy holds a lock file in the user's
// own runtime folder for the whole run and listens on a local socket beside
// it; a later copy finds the lock taken, asks the holder through the socket
// to show and raise its window, and ends without making one. The folder
// belongs to the user and nobody else may enter it, so another user can
// neither take the name nor pose as the running copy.

#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;
class QLocalSocket;
class QLockFile;

namespace zevo3 {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString &title, QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when this is the first copy (it then holds the lock and listens);
    // false when another copy runs and was asked to come to the front, and
    // to open `openPath` when one is given.
    bool claim(const QString &openPath = QString());

    // "zevo3tool-" and a hash of the title: the lock is this + ".lock", the
    // socket this + ".sock".
    static QString baseNameFor(const QString &title);
    // $XDG_RUNTIME_DIR when it is a folder of this user that nobody else may
    // enter; otherwise such a folder made in the temporary folder, or in the
    // user's cache folder when another user holds that name. Empty, with the
    // reason, when none can be had.
    static QString privateRuntimeFolder(QString *why = nullptr);

signals:
    void raiseRequested();
    // A later copy was started with a table file: open it here.
    void openRequested(const QString &path);

private:
    void readRequests(QLocalSocket *peer);

    QString base_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer *server_ = nullptr;
};

} // namespace zevo3
