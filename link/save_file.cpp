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

QString tooLargeText(qint64 maxBytes) {
    return QCoreApplication::translate("zevo3", "larger than %1 bytes").arg(maxBytes);
}

// Where readFileBounded reports a refusal: why, in words, and whether the
// file was missing, each when the caller asked for it.
struct ReadReport {
    QString *error;
    bool *missing;
    ReadRefusal *refusal;

    void setRefusal(ReadRefusal why) const {
        if (refusal) *refusal = why;
    }
    void setMissing() const {
        if (missing) *missing = true;
    }
    bool refuse(ReadRefusal why, const QString &text) const {
        setRefusal(why);
        setError(error, text);
        return false;
    }
};

// The file a save replaces: a link is followed to the file it names, however
// many links deep, so that the file is updated and the links stay links.
QString saveTarget(const QString &path) {
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
    return target;
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

// Whether the file at target may be replaced: there is none (*exists false),
// or it is a regular file not marked read-only; *old says what it is.
bool mayReplace(const QString &target, struct stat *old, bool *exists, QString *error) {
    *exists = ::stat(QFile::encodeName(target).constData(), old) == 0;
    if (!*exists) return true;
    if (!S_ISREG(old->st_mode)) {
        setError(error,
                 QCoreApplication::translate("zevo3", "%1 is not a regular file").arg(target));
        return false;
    }
    // A file marked read-only stays as it is, even for a user whom the
    // system would let write it anyway.
    if (!(old->st_mode & S_IWUSR)) {
        setError(error, QCoreApplication::translate("zevo3", "%1 is read-only").arg(target));
        return false;
    }
    return true;
}

// A new temporary file beside target, its name in *temp; -1 (and the error
// said) when none could be made.
int makeTempBeside(const QString &target, QByteArray *temp, QString *error) {
    const QFileInfo info(target);
    *temp = QFile::encodeName(info.absolutePath()) + "/." + QFile::encodeName(info.fileName()) +
            ".XXXXXX";
    const int fd = ::mkstemp(temp->data());
    if (fd < 0) setError(error, systemError(errno));
    return fd;
}

// The old file's owner and mode for the temporary file, or a new file's mode.
void takeOwnerAndMode(int fd, bool exists, const struct stat &old) {
    if (exists) {
        // Owner first: changing it may clear set-id bits that the mode restores.
        if (::fchown(fd, old.st_uid, old.st_gid) != 0) (void)!::fchown(fd, uid_t(-1), old.st_gid);
        ::fchmod(fd, old.st_mode & 07777);
    } else {
        ::fchmod(fd, newFileMode());
    }
}

// Writes the bytes to the temporary file, syncs and closes it and renames it
// over the target; a failure removes it and says why.
bool completeTemp(int fd, const QByteArray &temp, const QString &target, const QByteArray &data,
                  bool exists, const struct stat &old, QString *error) {
    auto fail = [&](int code) {
        ::close(fd);
        ::unlink(temp.constData());
        setError(error, systemError(code));
        return false;
    };
    int code = 0;
    if (!writeAll(fd, data, &code)) return fail(code);
    takeOwnerAndMode(fd, exists, old);
    if (::fsync(fd) != 0 && errno != EINVAL && errno != EROFS) return fail(errno);
    if (::close(fd) != 0) {
        const int closeError = errno;
        ::unlink(temp.constData());
        setError(error, systemError(closeError));
        return false;
    }
    if (::rename(temp.constData(), QFile::encodeName(target).constData()) != 0) {
        const int renameError = errno;
        ::unlink(temp.constData());
        setError(error, systemError(renameError));
        return false;
    }
    return true;
}

bool replaceFile(const QString &target, const QByteArray &data, QString *error) {
    struct stat old {};
    bool exists = false;
    if (!mayReplace(target, &old, &exists, error)) return false;
    QByteArray temp;
    const int fd = makeTempBeside(target, &temp, error);
    if (fd < 0) return false;
    return completeTemp(fd, temp, target, data, exists, old, error);
}

// Whether the open file is a regular file of at most maxBytes, and its bytes.
bool readOpenFile(int fd, qint64 maxBytes, QByteArray *data, const ReadReport &report) {
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        return report.refuse(ReadRefusal::NotRegular,
                             QCoreApplication::translate("zevo3", "not a regular file"));
    if (st.st_size > maxBytes) return report.refuse(ReadRefusal::TooLarge, tooLargeText(maxBytes));
    QByteArray bytes;
    bytes.resize(qsizetype(maxBytes) + 1);
    qint64 got = 0;
    for (;;) {
        const ssize_t n = ::read(fd, bytes.data() + got, size_t(bytes.size() - got));
        if (n < 0) {
            if (errno == EINTR) continue;
            return report.refuse(ReadRefusal::Unreadable, systemError(errno));
        }
        if (n == 0) break;
        got += n;
        if (got > maxBytes) // grew while we read
            return report.refuse(ReadRefusal::TooLarge, tooLargeText(maxBytes));
    }
    bytes.truncate(qsizetype(got));
    *data = bytes;
    return true;
}

bool readBounded(const QString &path, qint64 maxBytes, QByteArray *data, const ReadReport &report) {
    // Opened without blocking, so a FIFO with no writer cannot hold us up;
    // what it is gets checked on the open descriptor.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        const int code = errno;
        if (code == ENOENT) report.setMissing();
        return report.refuse(code == ENOENT ? ReadRefusal::Missing : ReadRefusal::Unreadable,
                             systemError(code));
    }
    const bool read = readOpenFile(fd, maxBytes, data, report);
    ::close(fd);
    return read;
}
#else
bool replaceFile(const QString &target, const QByteArray &data, QString *error) {
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
}

bool readBounded(const QString &path, qint64 maxBytes, QByteArray *data, const ReadReport &report) {
    const QFileInfo info(path);
    if (!info.exists()) {
        report.setMissing();
        return report.refuse(ReadRefusal::Missing,
                             QCoreApplication::translate("zevo3", "no such file"));
    }
    if (!info.isFile())
        return report.refuse(ReadRefusal::NotRegular,
                             QCoreApplication::translate("zevo3", "not a regular file"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return report.refuse(ReadRefusal::Unreadable, file.errorString());
    if (file.size() > maxBytes) return report.refuse(ReadRefusal::TooLarge, tooLargeText(maxBytes));
    *data = file.read(maxBytes + 1);
    if (data->size() > maxBytes) {
        data->clear();
        return report.refuse(ReadRefusal::TooLarge, tooLargeText(maxBytes));
    }
    return true;
}
#endif

} // namespace

bool saveFileAtomically(const QString &path, const QByteArray &data, QString *error) {
    return replaceFile(saveTarget(path), data, error);
}

bool readFileBounded(const QString &path, qint64 maxBytes, QByteArray *data, QString *error,
                     bool *missing, ReadRefusal *refusal) {
    if (missing) *missing = false;
    const ReadReport report{error, missing, refusal};
    report.setRefusal(ReadRefusal::None);
    data->clear();
    return readBounded(path, maxBytes, data, report);
}

} // namespace zevo3
