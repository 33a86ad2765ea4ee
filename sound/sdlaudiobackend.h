#pragma once

#include "sound/audiobackend.h"

#include <QString>

#include <chrono>
#include <memory>

class FluidMusic;
class QObject;
class QTimer;
struct Mix_Chunk;

// The sound device through SDL_mixer: waves on a channel of their own, music rendered by
// FluidSynth in SDL_mixer's music hook.
//
// Create it on the user-interface thread, and only one at a time (SDL_mixer is one per process).
// Without a sound device it plays into SDL's "dummy" driver, silently but in real time, so the
// music still ends and starts over; if even that fails, every call does nothing.
//
// An open device wakes its audio thread for every buffer, sound or not: 86 times a second while
// the player only looks at the main window. So once neither music nor a wave has sounded for
// idleDelay, the device closes (the event loop of the creating thread runs that), and the next
// play opens it again. Music asked for counts as sounding until its end notice or a stop.
class SdlAudioBackend final : public AudioBackend {
public:
    // Long enough for the music's last notes and reverb to ring out after its end, and for the
    // device not to close and open between the sounds of one game.
    static constexpr std::chrono::milliseconds defaultIdleDelay{3000};

    // The music plays with the given SoundFont; without one, with FluidMusic's default.
    SdlAudioBackend();
    explicit SdlAudioBackend(const QString &soundFont, std::chrono::milliseconds idleDelay = defaultIdleDelay);
    ~SdlAudioBackend() override;

    SdlAudioBackend(const SdlAudioBackend &) = delete;
    SdlAudioBackend &operator=(const SdlAudioBackend &) = delete;

    PlayId playMusic(const QString &path) override;
    void stopMusic() override;
    void setMusicEndedHandler(MusicEndedHandler handler) override;
    void playWave(const QByteArray &image) override;
    void stopWave() override;

    // True once the music synthesiser has its SoundFont; until then a play waits, silent.
    bool musicReady() const;

    // The SDL audio driver in use ("pulseaudio", "alsa", "dummy", "disk"), empty when there is none;
    // the same while the device is closed for quiet, which keeps the driver.
    QString driverName() const;

    // The sample frames SDL takes in one go at 44100 Hz; the music restarts within about one of them.
    static constexpr int bufferFrames = 512;
    static constexpr int sampleRate = 44100;

    // Whether an image may reach SDL_mixer at all: a whole RIFF/WAVE header, no more than SDL can size.
    static bool isWaveImage(const QByteArray &image);

    // The image decoded into the open device's format, exactly as playWave does it, or nullptr for
    // an image that cannot play. Needs an open SDL_mixer device (a backend's closes after a quiet
    // spell once an event loop runs); free the result with Mix_FreeChunk.
    static Mix_Chunk *decodeWave(const QByteArray &image);

private:
    bool openDevice();
    bool wake();
    void prepareMixer();
    void restartIdleTimer();
    void sleepIfQuiet();
    void closeDevice();
    void musicEnded(PlayId play);
    void freeWave();

    bool audioUp = false;                    // SDL's audio is ours to quit: a driver was found
    bool deviceOpen = false;                 // and its device is open now
    std::unique_ptr<QObject> uiThread;       // receives the end notices the audio thread posts
    std::unique_ptr<QTimer> idleTimer;
    std::unique_ptr<FluidMusic> music;
    MusicEndedHandler endedHandler;
    PlayId lastPlay = 0;
    PlayId runningPlay = 0;                  // the play whose end may still be reported; 0 for none
    Mix_Chunk *wave = nullptr;
};
