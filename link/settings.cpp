#include "settings.h"

#include "ini_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <cerrno>
#include <cstring>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zevo3 {

namespace {
const QByteArray kCom = "COMPORT";
const QByteArray kWave = "WAVE";

// A folder this user may write that no other user may.
bool ownWritable(const QString &folder) {
    struct stat st {};
    if (::stat(QFile::encodeName(folder).constData(), &st) != 0) return false;
    if (st.st_mode & (S_IWOTH | S_ISVTX)) return false;
    return QFileInfo(folder).isWritable();
}

// $HOME, or the password file's home folder where HOME is unset.
QString homeFolder() {
    const QString home = qEnvironmentVariable("HOME");
    if (!home.isEmpty()) return home;
    if (const passwd *p = ::getpwuid(::getuid())) return QFile::decodeName(p->pw_dir);
    return QDir::homePath();
}
} // namespace

QString settingsPathFor(const QString &executablePath) {
    const QFileInfo info(executablePath);
    return QDir(info.absolutePath()).filePath(info.completeBaseName() + QStringLiteral(".ini"));
}

QString chooseSettingsPath(const QString &executablePath,
                           const std::function<bool(const QString &)> &writable) {
    const QString beside = settingsPathFor(executablePath);
    const QString folder = QFileInfo(beside).absolutePath();
    // The system's program folders are never a settings folder, even where
    // they can be written (the installed program run as root).
    static const QStringList systemFolders = {
        QStringLiteral("/usr/bin"),  QStringLiteral("/usr/local/bin"),  QStringLiteral("/bin"),
        QStringLiteral("/usr/sbin"), QStringLiteral("/usr/local/sbin"), QStringLiteral("/sbin")};
    const bool system = systemFolders.contains(QDir::cleanPath(folder));
    if (!system && (writable ? writable(folder) : ownWritable(folder))) return beside;
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty() || !QDir::isAbsolutePath(config))
        config = homeFolder() + QStringLiteral("/.config");
    return QDir(config).filePath(QStringLiteral("zevo3tool/") + QFileInfo(beside).fileName());
}

bool makeSettingsFolder(const QString &folder, QString *error) {
    QStringList missing;
    for (QString at = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
         !QFileInfo::exists(at) && at != QLatin1String("/"); at = QFileInfo(at).path())
        missing.prepend(at);
    for (const QString &dir : missing)
        if (::mkdir(QFile::encodeName(dir).constData(), 0700) != 0 && errno != EEXIST) {
            if (error)
                *error = QCoreApplication::translate("zevo3", "フォルダ %1 を作れません: %2")
                             .arg(dir, QString::fromLocal8Bit(std::strerror(errno)));
            return false;
        }
    return true;
}

bool ReadSettings(const QString &path, ComSettings &com, WaveSettings &wave, QString *problem) {
    IniFile ini;
    const bool usable = ini.load(path, problem); // a refused file reads as empty
    const ComSettings d;
    com.PortName = ini.readString(kCom, "PortName", d.PortName);
    com.BaudRate = ini.readInteger(kCom, "BaudRate", d.BaudRate);
    com.ByteSize = ini.readInteger(kCom, "ByteSize", d.ByteSize);
    com.StopBits = ini.readInteger(kCom, "StopBits", d.StopBits);
    com.Parity_ = ini.readString(kCom, "Parity__", d.Parity_);
    com.SendHead = ini.readString(kCom, "SendHead", d.SendHead);
    com.SendDlmt = ini.readString(kCom, "SendDlmt", d.SendDlmt);
    com.RecvDlmt = ini.readString(kCom, "RecvDlmt", d.RecvDlmt);
    com.RecvTout = ini.readInteger(kCom, "RecvTout", d.RecvTout);

    const WaveSettings w;
    wave.H_Range_ = ini.readInteger(kWave, "H_Range_", w.H_Range_);
    wave.W_Range_ = ini.readInteger(kWave, "W_Range_", w.W_Range_);
    wave.L_Time_ = ini.readInteger(kWave, "L_Time__", w.L_Time_);
    if (wave.H_Range_ == 0) wave.H_Range_ = 20;
    if (wave.W_Range_ == 0) wave.W_Range_ = 15;
    return usable;
}

bool WriteSettings(const QString &path, const ComSettings &com, const WaveSettings &wave,
                   QString *error) {
    IniFile ini;
    if (!ini.load(path, error)) return false;
    ini.writeString(kCom, "PortName", com.PortName);
    ini.writeInteger(kCom, "BaudRate", com.BaudRate);
    ini.writeInteger(kCom, "ByteSize", com.ByteSize);
    ini.writeInteger(kCom, "StopBits", com.StopBits);
    ini.writeString(kCom, "Parity__", com.Parity_);
    ini.writeString(kCom, "SendHead", com.SendHead);
    ini.writeString(kCom, "SendDlmt", com.SendDlmt);
    ini.writeString(kCom, "RecvDlmt", com.RecvDlmt);
    ini.writeInteger(kCom, "RecvTout", com.RecvTout);
    ini.writeInteger(kWave, "H_Range_", wave.H_Range_);
    ini.writeInteger(kWave, "W_Range_", wave.W_Range_);
    ini.writeInteger(kWave, "L_Time__", wave.L_Time_);
    return ini.save(path, error);
}

QString settingsWriteErrorText(const QString &path) {
    return QStringLiteral("NG ... ") + path;
}

QString settingsSaveFailedText(const QString &path, const QString &reason) {
    return QCoreApplication::translate("zevo3", "設定ファイルを保存できませんでした。\n%1\n%2")
        .arg(path, reason);
}

QString settingsRefusedText(const QString &path, const QString &reason) {
    return QCoreApplication::translate("zevo3", "設定ファイルを読み込めません。既定の設定で動作し、"
                                                "このファイルには書き込みません。\n%1\n%2")
        .arg(path, reason);
}

} // namespace zevo3
