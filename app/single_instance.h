#pragma once
// One running copy per user: the first copy listens on a local socket named
// after the application title; a second copy asks it to show and raise its
// window, then ends without making one.

#include <QObject>
#include <QString>

class QLocalServer;

namespace zevo3 {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString &title, QObject *parent = nullptr);

    // True when this is the first copy (it then listens); false when another
    // copy runs and was asked to come to the front.
    bool claim();

    static QString serverNameFor(const QString &title);

signals:
    void raiseRequested();

private:
    QString name_;
    QLocalServer *server_ = nullptr;
};

} // namespace zevo3
