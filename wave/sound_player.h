#pragma once
// Where the code check's sounds go: played by the application, recorded by
// tests, nowhere at all on a machine without audio output.

#include <QString>

namespace zevo3 {

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Starts the named sound ("chord.wav", "tada.wav") and returns at once;
    // a sound still playing stops.
    virtual void play(const QString &fileName) = 0;
};

class SilentSoundPlayer : public SoundPlayer {
public:
    void play(const QString &) override {}
};

} // namespace zevo3
