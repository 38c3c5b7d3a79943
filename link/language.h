#pragma once
// The language the programs speak: Japanese, or English when the command
// line says --lang en (or --lang=en) or ZEVO3_LANG is en (a locale name
// such as en_US.UTF-8 counts by its language). The texts of the files and of
// the line to the unit are never translated.

#include <QString>
#include <QStringList>
#include <optional>

class QCoreApplication;

namespace zevo3 {

// "ja" or "en": the command line's --lang wins over the environment's
// ZEVO3_LANG; nullopt (and *bad the value) for a --lang that is neither. A
// ZEVO3_LANG that is neither gives Japanese (and *ignored the value): a
// variable set for other programs must not stop every run.
std::optional<QString> chosenLanguage(const QStringList &arguments, const QString &environment,
                                      QString *bad = nullptr, QString *ignored = nullptr);

// The run's language chosen and installed; what goes wrong said on standard
// error after `program`. False (the run ends with 2) for a bad --lang.
bool startLanguage(QCoreApplication &app, const char *program);

// Installs the translation of `language` into the application (nothing for
// Japanese, the texts' own language); false when it cannot be loaded.
bool installLanguage(QCoreApplication &app, const QString &language);

} // namespace zevo3
