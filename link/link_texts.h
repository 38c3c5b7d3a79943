#pragma once
// Texts the link shows to the operator. They are the tool's own and stay as
// they are; translate() keeps them ready for a translation.

#include <QCoreApplication>
#include <QString>

namespace zevo3::texts {

inline QString appTitle() {
    return QStringLiteral("MORIKA ZEVO3 Tool");
}
inline QString captionConfirm() {
    return QCoreApplication::translate("zevo3", "確認");
}
inline QString captionWarning() {
    return QCoreApplication::translate("zevo3", "警告");
}
inline QString invalidHandle() {
    return QStringLiteral("INVALID HANDLE");
}
inline QString commOpen() {
    return QStringLiteral("Comm Open");
}
inline QString sendErrorMask() {
    return QStringLiteral("Send ClearCommError dwErrorMask != 0");
}
inline QString portClosed(const QString &portName) {
    return portName + QCoreApplication::translate(
                          "zevo3", " が閉じられました。\n通信設定をやり直して下さい。");
}
inline QString setPortFirst() {
    return QCoreApplication::translate("zevo3", "通信ポートを設定して下さい");
}
inline QString portOff(const QString &portName) {
    return portName + QStringLiteral(":OFF");
}
inline QString sendLengthMismatch(qint64 sent, qint64 written) {
    return QStringLiteral("sendLen:%1 ResultLen:%2").arg(sent).arg(written);
}

} // namespace zevo3::texts
