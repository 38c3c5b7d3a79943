#include "command_set.h"

#include <QString>

namespace zevo3::cmd {

QByteArray learnTime(int milliseconds) {
    return QString::asprintf("Lend:%04d", milliseconds).toLatin1();
}

QByteArray learnedCode(const QByteArray &m, const QByteArray &d, const QByteArray &f) {
    return "Tm:" + m + ",d:" + d + ",f:" + f;
}

bool isAcknowledgingAnswer(const QByteArray &line) {
    return line.contains(kModelWord) || line.contains(kKeyRowAnswer);
}

} // namespace zevo3::cmd
