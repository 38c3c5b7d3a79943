#include "open_failure.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zevo3 {

QString openFailureText(const OpenFailureFacts &facts) {
    switch (facts.kind) {
    case OpenFailure::NotPresent:
        return QCoreApplication::translate("zevo3", "%1 がありません（接続されていません）。")
            .arg(facts.device);
    case OpenFailure::NoPermission:
        if (facts.group.isEmpty())
            return QCoreApplication::translate("zevo3", "%1 を開く権限がありません。")
                .arg(facts.device);
        return QCoreApplication::translate(
                   "zevo3", "%1 を開く権限がありません。開けるのはグループ %2 のメンバーです。\n"
                            "sudo usermod -aG %2 %3 で加わり、ログインし直して下さい。")
            .arg(facts.device, facts.group, facts.user);
    case OpenFailure::InUse:
        if (facts.holder.isEmpty())
            return QCoreApplication::translate("zevo3", "%1 は他のプログラムが使用中です。")
                .arg(facts.device);
        return QCoreApplication::translate("zevo3", "%1 は他のプログラムが使用中です（%2）。")
            .arg(facts.device, facts.holder);
    case OpenFailure::Other:
        break;
    }
    return facts.system.isEmpty() ? facts.device
                                  : facts.device + QStringLiteral(": ") + facts.system;
}

namespace {

// "LCK..ttyUSB0" in the usual lock folders: the process named in it.
QString lockHolder(const QString &device) {
    // The serial port names its lock after the path: "/dev/ttyUSB0" gives
    // LCK..ttyUSB0, "/tmp/port" LCK.._tmp_port.
    QString path = device;
    if (path.startsWith(QLatin1String("/dev/"))) path.remove(0, 5);
    path.replace(QLatin1Char('/'), QLatin1Char('_'));
    const QStringList names = {QStringLiteral("LCK..") + path,
                               QStringLiteral("LCK..") + QFileInfo(device).fileName()};
    for (const char *folder : {"/run/lock", "/var/lock", "/tmp", "/var/tmp"})
        for (const QString &name : names) {
            QFile lock(QDir(QString::fromLatin1(folder)).filePath(name));
            if (!lock.open(QIODevice::ReadOnly)) continue;
            const QByteArray first = lock.readLine(64).trimmed();
            bool ok = false;
            const qint64 pid = first.toLongLong(&ok);
            if (!ok || pid <= 0) continue;
            QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
            const QString program = comm.open(QIODevice::ReadOnly)
                                        ? QString::fromLocal8Bit(comm.readAll().trimmed())
                                        : QString();
            return program.isEmpty() ? QStringLiteral("PID %1").arg(pid)
                                     : QStringLiteral("%1, PID %2").arg(program).arg(pid);
        }
    return QString();
}

} // namespace

QString groupThatMayOpen(unsigned mode, unsigned gid) {
#ifdef Q_OS_UNIX
    if ((mode & (S_IRGRP | S_IWGRP)) != (S_IRGRP | S_IWGRP) || gid == 0) return QString();
    if (const group *g = ::getgrgid(gid)) return QString::fromLocal8Bit(g->gr_name);
#else
    Q_UNUSED(mode);
    Q_UNUSED(gid);
#endif
    return QString();
}

OpenFailureFacts examinePermissionFailure(const QString &device) {
    OpenFailureFacts facts;
    facts.device = device;
#ifdef Q_OS_UNIX
    const QByteArray path = QFile::encodeName(device);
    if (::access(path.constData(), R_OK | W_OK) != 0) {
        facts.kind = OpenFailure::NoPermission;
        struct stat st {};
        if (::stat(path.constData(), &st) == 0)
            facts.group = groupThatMayOpen(st.st_mode, st.st_gid);
        if (const passwd *p = ::getpwuid(::geteuid()))
            facts.user = QString::fromLocal8Bit(p->pw_name);
        return facts;
    }
#endif
    facts.kind = OpenFailure::InUse;
    facts.holder = lockHolder(device);
    return facts;
}

} // namespace zevo3
