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
        // Without a sound server the back end complains on the terminal;
        // a machine without audio output says nothing.
        const QtMessageHandler previous =
            qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
        haveOutput_ = !QMediaDevices::audioOutputs().isEmpty();
        qInstallMessageHandler(previous);
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
