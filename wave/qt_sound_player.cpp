#include "qt_sound_player.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace zevo3 {

QtSoundPlayer::QtSoundPlayer(QObject *parent) : QObject(parent) {
}

void QtSoundPlayer::play(const QString &fileName) {
    if (!checked_) { // the multimedia back end is loaded only once a sound is due
        checked_ = true;
        haveOutput_ = !QMediaDevices::audioOutputs().isEmpty();
    }
    if (!haveOutput_ || fileName.isEmpty()) return;
    for (QSoundEffect *effect : std::as_const(effects_))
        effect->stop();
    QSoundEffect *&effect = effects_[fileName];
    if (!effect) {
        effect = new QSoundEffect(this);
        effect->setSource(QUrl(QStringLiteral("qrc:/sounds/") + fileName));
    }
    effect->play();
}

} // namespace zevo3
