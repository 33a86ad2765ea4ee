#pragma once

#include "about/programlauncher.h"
#include "about/registry.h"
#include "game/frmmain.h"
#include "platform/services.h"
#include "sound/apis.h"
#include "sound/fluidmusic.h"
#include "sound/sdlaudiobackend.h"
#include "tests/support/fakedialogs.h"
#include "tests/support/fakeplatform.h"
#include "tests/support/virtualclock.h"

#include <QLabel>
#include <QList>
#include <QTemporaryDir>

#include <atomic>
#include <memory>

// Listens to everything SDL_mixer hands the device, on the audio thread. With the dummy driver
// the device takes a buffer every 11.6 ms of real time, as a sound card would.
class MixMeter {
public:
    MixMeter();
    ~MixMeter();
    MixMeter(const MixMeter &) = delete;
    MixMeter &operator=(const MixMeter &) = delete;

    // Waits, running the event loop, until this many buffers were mixed since the call; the first
    // of them may have begun before it. False if the device stalled.
    bool waitForBuffers(int count);
    // The loudest sample of `count` buffers that all begin after the call; -1 if the device stalled.
    int loudestOver(int count);

private:
    static void listen(void *meter, unsigned char *stream, int bytes);

    std::atomic<long long> buffers{0};
    std::atomic<int> peak{0};
};

// Forwards to the real device and counts what the game asked of it.
class CountingAudio final : public AudioBackend {
public:
    explicit CountingAudio(AudioBackend &device) : device(device) {}
    PlayId playMusic(const QString &path) override;
    void stopMusic() override { device.stopMusic(); }
    void setMusicEndedHandler(MusicEndedHandler handler) override { device.setMusicEndedHandler(std::move(handler)); }
    void playWave(const QByteArray &image) override;
    void stopWave() override { device.stopWave(); }

    int musicStarts = 0;
    QList<qsizetype> waveSizes;

private:
    AudioBackend &device;
};

// A main window on virtual time and scripted boxes, but with the real sound device: SDL_mixer
// and FluidSynth on whatever SDL_AUDIODRIVER names (the tests run with "dummy").
// The program folder holds the game's own kol.mid, crap.wav and deadnow.wav.
struct RealSoundGame {
    explicit RealSoundGame(const QString &soundFont = FluidMusic::defaultSoundFont());
    ~RealSoundGame();

    QLabel *label(const char *name) const;
    QString text(const char *name) const { return label(name)->text(); }
    QString programFile(const QString &name) const { return programFolder.filePath(name); }
    // A new window, which lists the working folder as it is now.
    void reopenWindow();
    // Waits until the SoundFont is loaded; false at once if there is none to load.
    bool waitForMusic();
    // Whether a wave sound is playing on the device right now.
    static bool wavePlaying();
    // Lets the next game be won at its end.
    void scoreToWin();

    const bool soundFontPresent;
    QTemporaryDir programFolder;
    QTemporaryDir workingFolder;
    VirtualClock clock;
    FakeDialogs dialogs;
    FakeRandom random;
    FakeTimeOfDay timeOfDay;
    FakeFolders folders;
    SdlAudioBackend device;
    MixMeter meter;
    CountingAudio audio{device};
    Apis sound{audio, dialogs, folders};
    NoRegistry registry;
    SystemLauncher launcher;
    Services services{clock, dialogs, random, timeOfDay, folders, sound, registry, launcher};
    std::unique_ptr<frmMain> window;
};

// The game's own sound files, from the source tree.
QByteArray gameAsset(const QString &name);
