#include "fatal_error.h"

#include <QCoreApplication>
#include <exception>

namespace zevo3 {

QString fatalErrorText(const char *what) {
    const QString detail = what && *what ? QString::fromLocal8Bit(what)
                                         : QCoreApplication::translate("zevo3", "不明な例外");
    return QCoreApplication::translate("zevo3", "予期しないエラーが発生したため終了します。\n%1")
        .arg(detail);
}

bool deliverGuarded(const std::function<bool()> &deliver, const FatalReporter &report) {
    try {
        return deliver();
    } catch (const std::exception &e) {
        report(fatalErrorText(e.what()));
    } catch (...) {
        report(fatalErrorText(nullptr));
    }
    return false;
}

} // namespace zevo3
