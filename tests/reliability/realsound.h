#pragma once

#include "sound/fluidmusic.h"
#include "sound/sdlaudiobackend.h"
#include "tests/support/gamefixture.h"
#include "tests/support/virtualclock.h"

#include <SDL_mixer.h>

#include <atomic>
#include <memory>
#include <vector>

// Listens to everything SDL_mixer hands the device, on the audio thread. With the dummy driver
// the device takes a buffer every 11.6 ms of real time, as a sound card would; the disk driver
// may run far ahead of the test, so each buffer's loudest sample is kept until it is asked for.
class MixMeter {
public:
    MixMeter();
    ~MixMeter();

    // Waits until this many buffers were mixed since the call; the first of them may have begun
    // before it. False if the device stalled. With the event loop standing still, an end notice
    // the audio thread posts meanwhile stays queued.
    bool waitForBuffers(int count, bool runEvents = true) { return waitUntil(buffers.load() + count, runEvents); }
    // The loudest sample of the next `count` buffers that begin after the call; -1 if the device
    // stalled or ran so far ahead that they are no longer kept.
    int loudestOver(int count);

private:
    static void listen(void *meter, unsigned char *stream, int bytes);
    bool waitUntil(long long mixed, bool runEvents);

    static constexpr long long kept = 1 << 16;   // buffers: over twelve minutes of sound
    std::atomic<long long> buffers{0};
    std::vector<std::atomic<int>> peaks = std::vector<std::atomic<int>>(kept);
};

// Forwards to the real device and counts the music starts the game asked for.
class CountingAudio final : public AudioBackend {
public:
    explicit CountingAudio(AudioBackend &device) : device(device) {}
    PlayId playMusic(const QString &path) override { ++musicStarts; return device.playMusic(path); }
    void stopMusic() override { device.stopMusic(); }
    void setMusicEndedHandler(MusicEndedHandler handler) override { device.setMusicEndedHandler(std::move(handler)); }
    void playWave(const QByteArray &image) override { device.playWave(image); }
    void stopWave() override { device.stopWave(); }

    int musicStarts = 0;

private:
    AudioBackend &device;
};

// The real sound device: SDL_mixer and FluidSynth on whatever SDL_AUDIODRIVER names (the tests
// run with "dummy"). Its quiet spells are timed on a clock of its own, which only a test that
// wants the device asleep advances.
struct RealSound {
    explicit RealSound(const QString &soundFont);

    const bool soundFontPresent;
    VirtualClock deviceClock;
    SdlAudioBackend device;
    MixMeter meter;
    CountingAudio audio{device};
};

// A main window on virtual time and scripted boxes, but with the real sound device.
// The program folder holds the game's own kol.mid, crap.wav and deadnow.wav.
struct RealSoundGame : RealSound, GameFixture {
    explicit RealSoundGame(const QString &soundFont = FluidMusic::defaultSoundFont());

    QString programFile(const QString &name) const { return programFolder.filePath(name); }
    // Waits until the SoundFont is loaded; false at once if there is none to load.
    bool waitForMusic();
    // Whether a wave sound is playing on the device right now.
    // A device asleep after a quiet spell plays nothing, and SDL_mixer must not be asked then.
    static bool wavePlaying() { return Mix_QuerySpec(nullptr, nullptr, nullptr) != 0 && Mix_Playing(-1) > 0; }
    // Lets the next game be won at its end.
    void scoreToWin() { window->Punkte = 30; window->lblPunkte->setText(QStringLiteral("30")); }
};

// The game's own sound files, from the source tree.
QString gameAssetPath(const QString &name);
QByteArray gameAsset(const QString &name);
