#pragma once

#include "sound/fluidmusic.h"
#include "sound/sdlaudiobackend.h"
#include "tests/support/gamefixture.h"
#include "tests/support/virtualclock.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QTest>
#include <QThread>

#include <SDL_mixer.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

// Only a stuck audio thread ever needs this long.
inline constexpr int soundPatience = 60000;

// The game's own sound files, from the source tree.
inline QString gameAssetPath(const QString &name)
{
    return qEnvironmentVariable("BRUMMO_SOURCE_DIR") + QStringLiteral("/assets/") + name;
}

inline QByteArray gameAsset(const QString &name)
{
    QFile file(gameAssetPath(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("assets/%s not found through BRUMMO_SOURCE_DIR", qPrintable(name));
    return file.readAll();
}

// Listens to everything SDL_mixer hands the device, on the audio thread. With the dummy driver
// the device takes a buffer every 11.6 ms of real time, as a sound card would; the disk driver
// may run far ahead of the test, so each buffer's loudest sample is kept until it is asked for.
class MixMeter {
public:
    MixMeter() { Mix_SetPostMix(&MixMeter::listen, this); }
    ~MixMeter() { Mix_SetPostMix(nullptr, nullptr); }

    // Waits until this many buffers were mixed since the call; the first of them may have begun
    // before it. False if the device stalled. With the event loop standing still, an end notice
    // the audio thread posts meanwhile stays queued.
    bool waitForBuffers(int count, bool events = true) { return waitUntil(buffers.load() + count, events); }

    // The loudest sample of the next `count` buffers that begin after the call; -1 if the device
    // stalled or ran so far ahead that they are no longer kept.
    int loudestOver(int count)
    {
        // The buffer being mixed at the call may still hold what played before it.
        const long long first = buffers.load(std::memory_order_acquire) + 1;
        if (!waitUntil(first + count, true))
            return -1;
        int loudest = 0;
        for (long long buffer = first; buffer < first + count; ++buffer)
            loudest = std::max(loudest, peak(buffer).load(std::memory_order_relaxed));
        return buffers.load(std::memory_order_acquire) - first < kept ? loudest : -1;
    }

private:
    static void listen(void *meter, unsigned char *stream, int bytes)
    {
        // The backend opens the device for 16-bit samples and allows SDL no other format.
        auto *self = static_cast<MixMeter *>(meter);
        int loudest = 0;
        for (int i = 0; i + 1 < bytes; i += 2) {
            std::int16_t sample;
            std::memcpy(&sample, stream + i, 2);
            loudest = std::max(loudest, std::abs(static_cast<int>(sample)));
        }
        const long long buffer = self->buffers.load(std::memory_order_relaxed);
        self->peak(buffer).store(loudest, std::memory_order_relaxed);
        self->buffers.store(buffer + 1, std::memory_order_release);
    }

    bool waitUntil(long long mixed, bool runEvents)
    {
        const QDeadlineTimer deadline(soundPatience);
        while (buffers.load(std::memory_order_acquire) < mixed && !deadline.hasExpired()) {
            if (runEvents)
                QCoreApplication::processEvents();
            QThread::usleep(500);
        }
        return buffers.load(std::memory_order_acquire) >= mixed;
    }

    std::atomic<int> &peak(long long buffer) { return peaks[static_cast<std::size_t>(buffer % kept)]; }

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
    void setMusicEndedHandler(MusicEndedHandler h) override { device.setMusicEndedHandler(std::move(h)); }
    Wave prepareWave(const QByteArray &image) override { return device.prepareWave(image); }
    void playWave(const Wave &wave) override { device.playWave(wave); }
    void stopWave() override { device.stopWave(); }

    int musicStarts = 0;

private:
    AudioBackend &device;
};

// The real sound device: SDL_mixer and FluidSynth on whatever SDL_AUDIODRIVER names (the tests
// run with "dummy"). Its quiet spells are timed on a clock of its own, which only a test that
// wants the device asleep advances.
struct RealSound {
    explicit RealSound(const QString &soundFont)
        : soundFontPresent(QFileInfo(soundFont).isFile()), device(deviceClock, soundFont) {}

    // Waits until the SoundFont is loaded; false at once if there is none to load.
    bool waitForMusic()
    {
        return soundFontPresent && QTest::qWaitFor([this] { return device.musicReady(); }, soundPatience);
    }

    const bool soundFontPresent;
    VirtualClock deviceClock;
    SdlAudioBackend device;
    MixMeter meter;
    CountingAudio audio{device};
};

// A main window on virtual time and scripted boxes, but with the real sound device.
// The program folder holds the game's own kol.mid, crap.wav and deadnow.wav.
struct RealSoundGame : RealSound, GameFixture {
    explicit RealSoundGame(const QString &soundFont = FluidMusic::defaultSoundFont())
        : RealSound(soundFont), GameFixture(audio)
    {
        // In place of the fixture's stand-ins, which only a recorder would take.
        for (const QString name : {"kol.mid", "crap.wav", "deadnow.wav"})
            writeFile(programFile(name), gameAsset(name));
    }

    QString programFile(const QString &name) const { return programFolder.filePath(name); }
    // Whether a wave sound is playing on the device right now.
    // A device asleep after a quiet spell plays nothing, and SDL_mixer must not be asked then.
    static bool wavePlaying() { return Mix_QuerySpec(nullptr, nullptr, nullptr) != 0 && Mix_Playing(-1) > 0; }
    // Lets the next game be won at its end.
    void scoreToWin() { window->Punkte = 30; window->lblPunkte->setText(QStringLiteral("30")); }
};
