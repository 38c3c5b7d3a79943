#pragma once
// The language the programs speak: Japanese, or English when the command
// line says --lang en (or --lang=en) or ZEVO3_LANG is en. The texts of the
// files and of the line to the unit are never translated.

#include <QString>
#include <QStringList>
#include <optional>

class QCoreApplication;

namespace zevo3 {

// "ja" or "en": the command line's --lang wins over the environment's
// ZEVO3_LANG; nullopt (and *bad the value) for a language that is neither.
std::optional<QString> chosenLanguage(const QStringList &arguments, const QString &environment,
                                      QString *bad = nullptr);

// Installs the translation of `language` into the application (nothing for
// Japanese, the texts' own language); false when it cannot be loaded.
bool installLanguage(QCoreApplication &app, const QString &language);

} // namespace zevo3
