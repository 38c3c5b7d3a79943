#pragma once
// Why a port could not be opened, in words the operator can act on: a
// device that is not there, one the user may not open (and the group that
// may, with how to join it), one another program holds (and which, where its
// lock file says), or what the system said.

#include <QString>

namespace zevo3 {

enum class OpenFailure { NotPresent, NoPermission, InUse, Other };

struct OpenFailureFacts {
    OpenFailure kind = OpenFailure::Other;
    QString device;
    QString group;  // NoPermission: the group that owns the device
    QString user;   // NoPermission: who runs the tool
    QString holder; // InUse: "name (PID n)" from the lock file, when there is one
    QString system; // Other: the system's own words
};

QString openFailureText(const OpenFailureFacts &facts);

// Looks at the device to tell the cases apart, after an open failed with a
// permission error (which covers both "not allowed" and "busy").
OpenFailureFacts examinePermissionFailure(const QString &device);

} // namespace zevo3
