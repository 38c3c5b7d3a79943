// Built where Qt Multimedia is not installed: the application plays nothing.

#include "qt_sound_player.h"

namespace zevo3 {

QtSoundPlayer::QtSoundPlayer(QObject *parent) : QObject(parent) {
}

void QtSoundPlayer::play(const QString &) {
}

} // namespace zevo3
