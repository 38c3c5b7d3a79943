#pragma once
// The code check's sounds through Qt Multimedia, from the application's
// resources. Nothing is played, and nothing said, where the machine has no
// audio output.

#include "sound_player.h"

#include <QHash>
#include <QObject>

QT_BEGIN_NAMESPACE
class QSoundEffect;
QT_END_NAMESPACE

namespace zevo3 {

class QtSoundPlayer : public QObject, public SoundPlayer {
public:
    explicit QtSoundPlayer(QObject *parent = nullptr);
    void play(const QString &fileName) override;

private:
    QHash<QString, QSoundEffect *> effects_; // children, made at first use
    bool checked_ = false;
    bool haveOutput_ = false;
};

} // namespace zevo3
