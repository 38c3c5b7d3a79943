#include "table_document.h"

#include "save_file.h"

#include <QDir>
#include <QFileInfo>

namespace zevo3 {

namespace {

// Something in the way of replacing the file at `path`: not a regular file,
// or a file marked read-only.
QString inTheWay(const QString &path) {
    const QFileInfo info(path);
    if (!info.exists()) return {};
    if (!info.isFile()) return QStringLiteral("%1 is not a regular file").arg(path);
    if (!(info.permissions() & QFileDevice::WriteOwner))
        return QStringLiteral("%1 is read-only").arg(path);
    return {};
}

} // namespace

TableFileOpen openTableFile(const QString &path, bool parse) {
    TableFileOpen open;
    open.path = path;
    if (!readFileBounded(path, kMaxTableFileBytes, &open.bytes, &open.error)) return open;
    open.readable = true;
    if (parse) open.read = std::make_unique<TableFileRead>(ReadTableFile(open.bytes));
    return open;
}

LayoutFileOpen openLayoutFile(const QString &tablePath) {
    const QString path = layoutPathFor(tablePath);
    if (!path.isEmpty() && checkFilePair(tablePath, path).problem == PairProblem::SameFile) {
        LayoutFileOpen open;
        open.tablePath = tablePath;
        open.path = path;
        open.state = LayoutFileOpen::State::IsTheTable;
        return open;
    }
    LayoutFileOpen open = readLayoutFileAt(path);
    open.tablePath = tablePath;
    return open;
}

LayoutFileOpen readLayoutFileAt(const QString &layoutPath) {
    LayoutFileOpen open;
    open.path = layoutPath;
    if (open.path.isEmpty()) return open;
    bool missing = false;
    if (!readFileBounded(open.path, kMaxTableFileBytes, &open.bytes, &open.error, &missing)) {
        open.state = missing ? LayoutFileOpen::State::Missing : LayoutFileOpen::State::Unreadable;
        return open;
    }
    open.state = LayoutFileOpen::State::Read;
    open.read = LoadLayoutFile(open.bytes);
    return open;
}

SaveCheck checkSave(const QString &tablePath, bool strict) {
    SaveCheck check;
    check.layoutPath = layoutPathFor(tablePath);
    if (QDir::cleanPath(QFileInfo(check.layoutPath).absoluteFilePath()) ==
        QDir::cleanPath(QFileInfo(tablePath).absoluteFilePath())) {
        check.refusal = SaveCheck::Refusal::LayoutName;
        return check;
    }
    check.pair = checkFilePair(tablePath, check.layoutPath);
    if (!check.pair.ok()) {
        check.refusal = SaveCheck::Refusal::Pair;
        return check;
    }
    if (strict)
        for (const QString &path : {tablePath, check.layoutPath})
            if (const QString why = inTheWay(path); !why.isEmpty()) {
                check.refusal = SaveCheck::Refusal::InTheWay;
                check.path = path;
                check.why = why;
                return check;
            }
    return check;
}

bool saveTableFile(const QString &path, const CodeTable &table, QString *error) {
    return saveFileAtomically(path, WriteTableFile(table), error);
}

bool saveLayoutFile(const QString &path, const LayoutData &layout, QString *error) {
    return saveFileAtomically(path, SaveLayoutFile(layout, path), error);
}

LayoutSave saveLayoutBeside(const QString &layoutPath, const LayoutData &layout,
                            const QString &tablePath) {
    LayoutSave save;
    // The layout file may have become the table file through a link since
    // it was read: checked at each save, before anything is written.
    if (tablePath.isEmpty())
        realFilePath(layoutPath, &save.pair); // no table to compare with: the links only
    else
        save.pair = checkFilePair(tablePath, layoutPath);
    if (!save.pair.ok()) return save;
    save.saved = saveLayoutFile(layoutPath, layout, &save.error);
    return save;
}

} // namespace zevo3
