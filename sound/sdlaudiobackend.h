#pragma once

#include "sound/audiobackend.h"

#include <QString>

#include <chrono>
#include <memory>

class DecodedWave;
class EndNoticeBell;
class FluidMusic;
class QSocketNotifier;
class Timer;
class TimerFactory;

// The sound device through SDL_mixer: waves on a channel of their own, music rendered by
// FluidSynth in SDL_mixer's music hook.
//
// Create it on the window's thread, and only one at a time (SDL_mixer is one per process). Without
// a sound device it plays into SDL's "dummy" driver, silently but in real time, so the music still
// ends and starts over; if even that fails, every call does nothing.
//
// The sound's threads, each with its one job:
// - The window's thread makes every call here and does all the work that allocates or takes time:
//   it reads and parses the music file at each start, decodes a wave when the game loads it, frees
//   the plays the audio thread is done with, and receives the end notice, which it alone judges.
// - SDL's audio thread mixes each buffer under SDL_mixer's device lock: the wave channel, and in
//   the music hook FluidMusic's render(), which takes the newest request from a one-slot mailbox,
//   sends the due MIDI messages, has FluidSynth write the samples and rings the EndNoticeBell where
//   a play ends. It allocates, frees and waits on nothing of ours, so that a buffer is never late
//   and the window's thread, which takes the lock to start or stop a wave, never waits long.
// - A loader thread of FluidMusic's loads the SoundFont once, so the game never waits for it.
//
// An open device wakes its audio thread for every buffer, sound or not: 86 times a second while
// the player only looks at the main window. So once neither music nor a wave has sounded for
// idleDelay on the given timers, the device closes, and the next play opens it again. Music asked
// for counts as sounding until its end notice or a stop.
class SdlAudioBackend final : public AudioBackend {
public:
    // Long enough for the music's last notes and reverb to ring out after its end, and for the
    // device not to close and open between the sounds of one game.
    static constexpr std::chrono::milliseconds defaultIdleDelay{3000};

    // The music plays with the given SoundFont; without one, with FluidMusic's default.
    explicit SdlAudioBackend(TimerFactory &timers);
    SdlAudioBackend(TimerFactory &timers, const QString &soundFont, std::chrono::milliseconds idleDelay = defaultIdleDelay);
    ~SdlAudioBackend() override;

    SdlAudioBackend(const SdlAudioBackend &) = delete;
    SdlAudioBackend &operator=(const SdlAudioBackend &) = delete;

    PlayId playMusic(const QString &path) override;
    void stopMusic() override;
    void setMusicEndedHandler(MusicEndedHandler handler) override;
    Wave prepareWave(const QByteArray &image) override;
    void playWave(const Wave &wave) override;
    void stopWave() override;

    // True once the music synthesiser has its SoundFont; until then a play waits, silent.
    bool musicReady() const;

    // The SDL audio driver in use ("pulseaudio", "alsa", "dummy", "disk"), empty when there is none;
    // the same while the device is closed for quiet, which keeps the driver.
    QString driverName() const;

    // The sample frames SDL takes in one go at 44100 Hz; the music restarts within about one of them.
    static constexpr int bufferFrames = 512;
    static constexpr int sampleRate = 44100;

private:
    bool openDevice();
    bool wake();
    void prepareMixer();
    void restartIdleTimer();
    void sleepIfQuiet();
    void closeDevice();
    void musicEnded(PlayId play);

    const std::chrono::milliseconds idleDelay;
    bool audioUp = false;                    // SDL's audio is ours to quit: a driver was found
    bool deviceOpen = false;                 // and its device is open now
    std::unique_ptr<Timer> idleTimer;
    std::unique_ptr<EndNoticeBell> bell;     // outlives the music, which rings it
    std::unique_ptr<QSocketNotifier> endNotifier;   // wakes this thread when the bell rings
    std::unique_ptr<FluidMusic> music;
    MusicEndedHandler endedHandler;
    PlayId lastPlay = 0;
    PlayId runningPlay = 0;                  // the play whose end may still be reported; 0 for none
    std::shared_ptr<const DecodedWave> soundingWave;   // on the wave channel
};
