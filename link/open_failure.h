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
    QString group;  // NoPermission: the group whose members may open it, if any
    QString user;   // NoPermission: who runs the tool
    QString holder; // InUse: "name (PID n)" from the lock file, when there is one
    QString system; // Other: the system's own words
};

QString openFailureText(const OpenFailureFacts &facts);

// The group whose members may open a device of this mode and group: only
// one with read and write for the group, and never root's own group (to
// join it would be no advice). Empty when only the owner may.
QString groupThatMayOpen(unsigned mode, unsigned gid);

// Looks at the device to tell the cases apart, after an open failed with a
// permission error (which covers both "not allowed" and "busy").
OpenFailureFacts examinePermissionFailure(const QString &device);

} // namespace zevo3
