#include "language.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QTranslator>
#include <cstdio>

namespace zevo3 {

namespace {

// "en" of "en", "EN", "en_US.UTF-8", "en-GB".
QString languageOf(const QString &name) {
    QString language = name.trimmed().toLower();
    const qsizetype end = language.indexOf(QRegularExpression(QStringLiteral("[_.@-]")));
    return end < 0 ? language : language.left(end);
}

bool known(const QString &language) {
    return language == QLatin1String("ja") || language == QLatin1String("en");
}

} // namespace

std::optional<QString> chosenLanguage(const QStringList &arguments, const QString &environment,
                                      QString *bad, QString *ignored) {
    std::optional<QString> given;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        if (a == QLatin1String("--")) break;
        if (a == QLatin1String("--lang") && i + 1 < arguments.size())
            given = arguments[++i];
        else if (a.startsWith(QLatin1String("--lang=")))
            given = a.mid(7);
    }
    if (given) {
        const QString language = languageOf(*given);
        if (known(language)) return language;
        if (bad) *bad = given->trimmed();
        return std::nullopt;
    }
    const QString language = languageOf(environment);
    if (known(language)) return language;
    if (!language.isEmpty() && ignored) *ignored = environment.trimmed();
    return QStringLiteral("ja");
}

bool startLanguage(QCoreApplication &app, const char *program) {
    QString bad;
    QString ignored;
    const std::optional<QString> language = chosenLanguage(
        QCoreApplication::arguments(), qEnvironmentVariable("ZEVO3_LANG"), &bad, &ignored);
    if (!language) {
        std::fprintf(stderr, "%s: the language is en or ja, not \"%s\"\n", program,
                     qPrintable(bad));
        return false;
    }
    if (!ignored.isEmpty())
        std::fprintf(stderr, "%s: ZEVO3_LANG is en or ja, not \"%s\"; Japanese is used\n", program,
                     qPrintable(ignored));
    if (!installLanguage(app, *language))
        std::fprintf(stderr, "%s: the %s texts cannot be loaded; Japanese is used\n", program,
                     qPrintable(*language));
    return true;
}

bool installLanguage(QCoreApplication &app, const QString &language) {
    if (language == QLatin1String("ja")) return true;
    auto *translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral(":/i18n/zevo3tool_%1.qm").arg(language))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace zevo3
