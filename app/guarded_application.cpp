#include "guarded_application.h"

namespace zevo3 {

bool GuardedApplication::notify(QObject *receiver, QEvent *event) {
    return deliverGuarded([&] { return QApplication::notify(receiver, event); },
                          [this](const QString &text) {
                              report_(text);
                              exit(3);
                          });
}

} // namespace zevo3
