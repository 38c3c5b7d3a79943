#include "file_pair.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zevo3 {

namespace {

// Deeper than any chain of links a system follows.
constexpr int kMaxLinkHops = 40;

// Whether `path` itself is a symbolic link, whatever it leads to (QFileInfo
// does not say so for a link in a loop).
bool isLink(const QString &path) {
#ifdef Q_OS_UNIX
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISLNK(st.st_mode);
#else
    return QFileInfo(path).isSymLink();
#endif
}

// The path a link names, made absolute against the link's folder.
QString linkTarget(const QString &link) {
#ifdef Q_OS_UNIX
    QByteArray buffer(4096, '\0');
    const ssize_t n =
        ::readlink(QFile::encodeName(link).constData(), buffer.data(), size_t(buffer.size()));
    if (n <= 0) return {};
    const QString target = QFile::decodeName(buffer.left(n));
    return QDir::cleanPath(QDir(QFileInfo(link).absolutePath()).absoluteFilePath(target));
#else
    return QFileInfo(link).symLinkTarget();
#endif
}

bool sameExistingFile(const QString &a, const QString &b) {
#ifdef Q_OS_UNIX
    struct stat sa {
    }, sb{};
    if (::stat(QFile::encodeName(a).constData(), &sa) != 0 ||
        ::stat(QFile::encodeName(b).constData(), &sb) != 0)
        return false;
    // Hard links too: one file under two names.
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
#else
    return QFileInfo(a).canonicalFilePath() == QFileInfo(b).canonicalFilePath();
#endif
}

} // namespace

QString realFilePath(const QString &path, PairCheck *check) {
    const QFileInfo info(path);
    if (!isLink(path)) {
        if (info.exists()) return info.canonicalFilePath();
        // Not there yet: the file a save creates, in the folder's real place.
        const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
        return QDir::cleanPath((folder.isEmpty() ? info.absolutePath() : folder) +
                               QLatin1Char('/') + info.fileName());
    }
#ifdef Q_OS_UNIX
    // QFileInfo gives a name even for a link in a loop; the system does not.
    if (char *real = ::realpath(QFile::encodeName(path).constData(), nullptr)) {
        const QString canonical = QFile::decodeName(real);
        std::free(real);
        return canonical;
    }
#else
    const QString canonical = info.canonicalFilePath();
    if (!canonical.isEmpty()) return canonical;
#endif
    // A link that reaches no file: in a loop, or to something missing.
    QString target = path;
    for (int hops = 0; hops < kMaxLinkHops; ++hops) {
        if (!isLink(target)) {
            if (check) *check = {PairProblem::DanglingLink, path, target};
            return {};
        }
        target = linkTarget(target);
    }
    if (check) *check = {PairProblem::LinkLoop, path, {}};
    return {};
}

PairCheck checkFilePair(const QString &tablePath, const QString &layoutPath) {
    PairCheck check;
    const QString table = realFilePath(tablePath, &check);
    if (!check.ok()) return check;
    const QString layout = realFilePath(layoutPath, &check);
    if (!check.ok()) return check;
    if (table == layout ||
        (QFileInfo::exists(table) && QFileInfo::exists(layout) && sameExistingFile(table, layout)))
        return {PairProblem::SameFile, layoutPath, table};
    return check;
}

QString pairProblemMessage(const PairCheck &pair, const QString &tablePath) {
    const auto tr = [](const char *text) { return QCoreApplication::translate("zevo3", text); };
    switch (pair.problem) {
    case PairProblem::SameFile:
        return tr("レイアウトファイルがテーブルファイルと同じファイルのため、保存出来ません。\n%"
                  "1\n%2")
            .arg(tablePath, pair.path);
    case PairProblem::LinkLoop:
        return tr("リンクが循環しているため、保存出来ません。\n%1").arg(pair.path);
    case PairProblem::DanglingLink:
        return tr("リンク先のファイルが存在しないため、保存出来ません。\n%1\n→ %2")
            .arg(pair.path, pair.target);
    case PairProblem::None:
        break;
    }
    return {};
}

} // namespace zevo3
