#include "table_input.h"

#include "layout_file.h"
#include "table_file.h"

namespace zevo3::cli {

bool layoutReadable(const LayoutFileOpen &open, const std::function<void(const QString &)> &say) {
    switch (open.state) {
    case LayoutFileOpen::State::Unreadable:
        say(QStringLiteral("cannot read the layout file %1: %2").arg(open.path, open.error));
        return false;
    case LayoutFileOpen::State::IsTheTable:
        say(QStringLiteral("cannot read the layout file %1: through a link it is the table file "
                           "%2 itself")
                .arg(open.path, open.tablePath));
        return false;
    case LayoutFileOpen::State::Missing:
    case LayoutFileOpen::State::Read:
        break;
    }
    return true;
}

std::optional<TableInput> readTableInput(const QString &tablePath, bool withLayout,
                                         const Streams &streams) {
    TableFileOpen open = openTableFile(tablePath);
    if (!open.readable) {
        streams.say(QStringLiteral("cannot read the table file %1: %2").arg(tablePath, open.error));
        return std::nullopt;
    }
    const TableFileRead &read = *open.read;
    if (!read.identified)
        streams.say(
            QStringLiteral("%1 does not begin with \"%2\"; used as it stands, as the window "
                           "does after OK")
                .arg(tablePath, QString::fromLatin1(kTableFileId)));
    if (!read.complete()) {
        for (const FileProblem &problem : read.problems)
            if (problem.error) {
                streams.say(QStringLiteral("%1: line %2, field %3: %4; nothing sent")
                                .arg(tablePath)
                                .arg(problem.line)
                                .arg(problem.field)
                                .arg(problem.message));
                return std::nullopt;
            }
        streams.say(QStringLiteral("%1: conversion error; nothing sent").arg(tablePath));
        return std::nullopt;
    }
    TableInput input;
    input.table = std::make_unique<CodeTable>(read.table);
    if (!withLayout) return input;

    const LayoutFileOpen layout = openLayoutFile(tablePath);
    if (!layoutReadable(layout, [&](const QString &text) { streams.say(text); }))
        return std::nullopt;
    if (!layout.found()) {
        streams.say(QStringLiteral("no layout file %1: the layout is empty").arg(layout.path));
        return input;
    }
    if (!layout.read.identified)
        streams.say(
            QStringLiteral("%1 does not begin with \"%2\"; used as it stands, as the window "
                           "does after OK")
                .arg(layout.path, QString::fromLatin1(kLayoutFileId)));
    input.layout = layout.read.layout;
    return input;
}

std::optional<CodeTable> readWholeTable(const QString &tablePath, const QString &nothing) {
    TableFileOpen open = openTableFile(tablePath);
    if (!open.readable) {
        tell(QStringLiteral("cannot read %1: %2").arg(tablePath, open.error));
        return std::nullopt;
    }
    TableFileRead &read = *open.read;
    if (!read.identified)
        say(QStringLiteral("%1:1: the first line is not \"%2\"; read as after OK")
                .arg(tablePath, QString::fromLatin1(kTableFileId)));
    if (!read.complete()) {
        for (const FileProblem &problem : read.problems)
            if (problem.error)
                tell(QStringLiteral("%1:%2:%3: %4; %5")
                         .arg(tablePath)
                         .arg(problem.line)
                         .arg(problem.field)
                         .arg(problem.message, nothing));
        return std::nullopt;
    }
    return std::move(read.table);
}

namespace {

// Why the table file and its layout file cannot be saved as a pair.
QString pairProblemText(const PairCheck &pair, const QString &tablePath) {
    switch (pair.problem) {
    case PairProblem::SameFile:
        return QStringLiteral("the layout file %1 is the table file %2 itself (%3): the layout "
                              "would replace the table")
            .arg(pair.path, tablePath, pair.target);
    case PairProblem::LinkLoop:
        return QStringLiteral("%1 is a symbolic link in a loop").arg(pair.path);
    case PairProblem::DanglingLink:
        return QStringLiteral("%1 is a symbolic link to %2, which does not exist")
            .arg(pair.path, pair.target);
    case PairProblem::None:
        break;
    }
    return {};
}

} // namespace

QString saveRefusal(const SaveCheck &check, const QString &tablePath) {
    switch (check.refusal) {
    case SaveCheck::Refusal::LayoutName:
        return QStringLiteral("%1 is the name of its own layout file: the layout would replace "
                              "the table; nothing written")
            .arg(tablePath);
    case SaveCheck::Refusal::Pair:
        return pairProblemText(check.pair, tablePath) + QStringLiteral("; nothing written");
    case SaveCheck::Refusal::InTheWay:
        return QStringLiteral("cannot write %1: %2; nothing written").arg(check.path, check.why);
    case SaveCheck::Refusal::None:
        break;
    }
    return {};
}

} // namespace zevo3::cli
