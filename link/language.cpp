#include "language.h"

#include <QCoreApplication>
#include <QTranslator>

namespace zevo3 {

std::optional<QString> chosenLanguage(const QStringList &arguments, const QString &environment,
                                      QString *bad) {
    QString chosen = environment.trimmed().toLower();
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        if (a == QLatin1String("--")) break;
        if (a == QLatin1String("--lang") && i + 1 < arguments.size())
            chosen = arguments[++i].trimmed().toLower();
        else if (a.startsWith(QLatin1String("--lang=")))
            chosen = a.mid(7).trimmed().toLower();
    }
    if (chosen.isEmpty()) return QStringLiteral("ja");
    if (chosen == QLatin1String("ja") || chosen == QLatin1String("en")) return chosen;
    if (bad) *bad = chosen;
    return std::nullopt;
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
