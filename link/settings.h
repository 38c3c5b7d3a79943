#pragma once
// The tool's settings: section COMPORT (line parameters, framing, receive
// time-out) and section WAVE (start values of three edit boxes). Fields carry
// the names of their keys; texts are CP932 bytes kept exactly as read.

#include <QByteArray>
#include <QString>
#include <functional>

namespace zevo3 {

// "無し" (none) in CP932: four bytes.
inline const QByteArray kNone = QByteArray("\x96\xb3\x82\xb5");

struct ComSettings {
    QByteArray PortName = "COM1";
    int BaudRate = 57600;
    int ByteSize = 8;
    int StopBits = 1;
    QByteArray Parity_ = "NONE"; // key "Parity__" (a C++ name may not hold "__")
    QByteArray SendHead = kNone;
    QByteArray SendDlmt = "CRLF";
    QByteArray RecvDlmt = "CRLF";
    int RecvTout = 100;

    bool operator==(const ComSettings &) const = default;
};

struct WaveSettings {
    int H_Range_ = 20;
    int W_Range_ = 15;
    int L_Time_ = 500000; // key "L_Time__"

    bool operator==(const WaveSettings &) const = default;
};

// The settings file lies beside the executable, with its base name and ".ini".
QString settingsPathFor(const QString &executablePath);

// The settings file a run uses without --ini: the one beside the executable
// where that folder can be written (as existing installations have it);
// otherwise, for a program installed where its user cannot write,
// $XDG_CONFIG_HOME/zevo3tool/ with the same name ($XDG_CONFIG_HOME unset or
// relative: ~/.config). The system's program folders (/usr/bin and the like)
// count as not writable, also for root, and so does a folder every user may
// write (a shared temporary folder, where another user's file would be
// read). `writable` tells whether a folder can be written.
QString chooseSettingsPath(const QString &executablePath,
                           const std::function<bool(const QString &)> &writable = {});

// Makes the settings folder and any missing folder above it, each for its
// user alone (0700); false with the folder and the system's reason in
// *error when one cannot be made.
bool makeSettingsFolder(const QString &folder, QString *error = nullptr);

// Reads both sections; a missing file or key gives the defaults. H_Range_ and
// W_Range_ of 0 become 20 and 15. A file that exists but is refused (not a
// regular file, over 1 MB, unreadable) also gives the defaults, and false
// with the reason in *problem: the caller says so and leaves that file alone.
bool ReadSettings(const QString &path, ComSettings &com, WaveSettings &wave,
                  QString *problem = nullptr);

// Writes both sections in their fixed key order, keeping whatever else the
// file holds. The file is replaced atomically: on failure it stays unchanged
// and false is returned.
bool WriteSettings(const QString &path, const ComSettings &com, const WaveSettings &wave,
                   QString *error = nullptr);

// The status text shown when the settings cannot be written.
QString settingsWriteErrorText(const QString &path);
// The message of a failed write at close, and of a refused file at start.
QString settingsSaveFailedText(const QString &path, const QString &reason);
QString settingsRefusedText(const QString &path, const QString &reason);

} // namespace zevo3
