#include "save_file.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QSaveFile>
#endif

namespace zevo3 {

namespace {

void setError(QString *error, const QString &text) {
    if (error) *error = text;
}

#ifdef Q_OS_UNIX
QString systemError(int code) {
    return QString::fromLocal8Bit(std::strerror(code));
}

bool writeAll(int fd, const QByteArray &data, int *code) {
    const char *p = data.constData();
    qint64 left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0) {
            if (errno == EINTR) continue;
            *code = errno;
            return false;
        }
        if (n == 0) {
            *code = ENOSPC;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}
#endif

} // namespace

bool saveFileAtomically(const QString &path, const QByteArray &data, QString *error) {
    // A link is followed to the file it names, however many links deep, so
    // that the file is updated and the links stay links.
    QString target = path;
#ifdef Q_OS_UNIX
    // The system's own resolution: a link's ".." climbs from where the
    // link's folder really is, which a textual one does not know.
    if (QFileInfo(path).isSymLink())
        if (char *real = ::realpath(QFile::encodeName(path).constData(), nullptr)) {
            target = QFile::decodeName(real);
            std::free(real);
        }
#endif
    for (int hops = 0; hops < 40 && QFileInfo(target).isSymLink(); ++hops)
        target = QFileInfo(target).symLinkTarget();
#ifdef Q_OS_UNIX
    const QByteArray targetName = QFile::encodeName(target);
    struct stat old {};
    const bool exists = ::stat(targetName.constData(), &old) == 0;
    if (exists) {
        if (!S_ISREG(old.st_mode)) {
            setError(error,
                     QCoreApplication::translate("zevo3", "%1 is not a regular file").arg(target));
            return false;
        }
        // A file marked read-only stays as it is, even for a user whom the
        // system would let write it anyway.
        if (!(old.st_mode & S_IWUSR)) {
            setError(error, QCoreApplication::translate("zevo3", "%1 is read-only").arg(target));
            return false;
        }
    }
    const QFileInfo info(target);
    QByteArray temp = QFile::encodeName(info.absolutePath()) + "/." +
                      QFile::encodeName(info.fileName()) + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        setError(error, systemError(errno));
        return false;
    }
    auto fail = [&](int code) {
        ::close(fd);
        ::unlink(temp.constData());
        setError(error, systemError(code));
        return false;
    };
    int code = 0;
    if (!writeAll(fd, data, &code)) return fail(code);
    if (exists) {
        // Owner first: changing it may clear set-id bits that the mode restores.
        if (::fchown(fd, old.st_uid, old.st_gid) != 0) (void)!::fchown(fd, uid_t(-1), old.st_gid);
        ::fchmod(fd, old.st_mode & 07777);
    } else {
        ::fchmod(fd, newFileMode());
    }
    if (::fsync(fd) != 0 && errno != EINVAL && errno != EROFS) return fail(errno);
    if (::close(fd) != 0) {
        const int closeError = errno;
        ::unlink(temp.constData());
        setError(error, systemError(closeError));
        return false;
    }
    if (::rename(temp.constData(), targetName.constData()) != 0) {
        const int renameError = errno;
        ::unlink(temp.constData());
        setError(error, systemError(renameError));
        return false;
    }
    return true;
#else
    const QFileInfo existing(target);
    if (existing.exists() && !(existing.permissions() & QFileDevice::WriteOwner)) {
        setError(error, QCoreApplication::translate("zevo3", "%1 is read-only").arg(target));
        return false;
    }
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        setError(error, file.errorString());
        return false;
    }
    if (file.write(data) != data.size() || !file.flush() || !file.commit()) {
        setError(error, file.errorString());
        file.cancelWriting();
        return false;
    }
    return true;
#endif
}

bool readFileBounded(const QString &path, qint64 maxBytes, QByteArray *data, QString *error,
                     bool *missing, ReadRefusal *refusal) {
    if (missing) *missing = false;
    const auto refused = [refusal](ReadRefusal why) {
        if (refusal) *refusal = why;
    };
    refused(ReadRefusal::None);
    data->clear();
#ifdef Q_OS_UNIX
    // Opened without blocking, so a FIFO with no writer cannot hold us up;
    // what it is gets checked on the open descriptor.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        const int code = errno;
        if (code == ENOENT && missing) *missing = true;
        refused(code == ENOENT ? ReadRefusal::Missing : ReadRefusal::Unreadable);
        setError(error, systemError(code));
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        refused(ReadRefusal::NotRegular);
        setError(error, QCoreApplication::translate("zevo3", "not a regular file"));
        return false;
    }
    if (st.st_size > maxBytes) {
        ::close(fd);
        refused(ReadRefusal::TooLarge);
        setError(error, QCoreApplication::translate("zevo3", "larger than %1 bytes").arg(maxBytes));
        return false;
    }
    QByteArray bytes;
    bytes.resize(qsizetype(maxBytes) + 1);
    qint64 got = 0;
    for (;;) {
        const ssize_t n = ::read(fd, bytes.data() + got, size_t(bytes.size() - got));
        if (n < 0) {
            if (errno == EINTR) continue;
            const int code = errno;
            ::close(fd);
            refused(ReadRefusal::Unreadable);
            setError(error, systemError(code));
            return false;
        }
        if (n == 0) break;
        got += n;
        if (got > maxBytes) { // grew while we read
            ::close(fd);
            refused(ReadRefusal::TooLarge);
            setError(error,
                     QCoreApplication::translate("zevo3", "larger than %1 bytes").arg(maxBytes));
            return false;
        }
    }
    ::close(fd);
    bytes.truncate(qsizetype(got));
    *data = bytes;
    return true;
#else
    const QFileInfo info(path);
    if (!info.exists()) {
        if (missing) *missing = true;
        refused(ReadRefusal::Missing);
        setError(error, QCoreApplication::translate("zevo3", "no such file"));
        return false;
    }
    if (!info.isFile()) {
        refused(ReadRefusal::NotRegular);
        setError(error, QCoreApplication::translate("zevo3", "not a regular file"));
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        refused(ReadRefusal::Unreadable);
        setError(error, file.errorString());
        return false;
    }
    if (file.size() > maxBytes) {
        refused(ReadRefusal::TooLarge);
        setError(error, QCoreApplication::translate("zevo3", "larger than %1 bytes").arg(maxBytes));
        return false;
    }
    *data = file.read(maxBytes + 1);
    if (data->size() > maxBytes) {
        data->clear();
        refused(ReadRefusal::TooLarge);
        setError(error, QCoreApplication::translate("zevo3", "larger than %1 bytes").arg(maxBytes));
        return false;
    }
    return true;
#endif
}

} // namespace zevo3
