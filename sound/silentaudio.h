#pragma once

#include "sound/audiobackend.h"

// A sound device that hears everything and plays nothing: the game without sound, as when this
// machine has no sound module to load. Music never ends, so it is never started over; every wave
// is taken, since none will sound anyway.
class SilentAudio final : public AudioBackend {
public:
    PlayId playMusic(const QString &) override { return ++lastPlay; }
    void stopMusic() override {}
    void setMusicEndedHandler(MusicEndedHandler) override {}
    Wave prepareWave(const QByteArray &) override { return std::make_shared<const PreparedWave>(); }
    void playWave(const Wave &) override {}
    void stopWave() override {}

private:
    PlayId lastPlay = 0;
};
