#pragma once

#include "sound/audiobackend.h"

#include <QString>

#include <memory>

class FluidMusic;
class QObject;
struct Mix_Chunk;

// The sound device through SDL_mixer: waves on a channel of their own, music rendered by
// FluidSynth in SDL_mixer's music hook.
//
// Create it on the user-interface thread, and only one at a time (SDL_mixer is one per process).
// Without a sound device it plays into SDL's "dummy" driver, silently but in real time, so the
// music still ends and starts over; if even that fails, every call does nothing.
class SdlAudioBackend final : public AudioBackend {
public:
    // The music plays with the given SoundFont; without one, with FluidMusic's default.
    SdlAudioBackend();
    explicit SdlAudioBackend(const QString &soundFont);
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

    // The SDL audio driver in use ("pulseaudio", "alsa", "dummy", "disk"), empty when there is none.
    QString driverName() const;

    // The sample frames SDL takes in one go at 44100 Hz; the music restarts within about one of them.
    static constexpr int bufferFrames = 512;
    static constexpr int sampleRate = 44100;

    // Whether an image may reach SDL_mixer at all: a whole RIFF/WAVE header, no more than SDL can size.
    static bool isWaveImage(const QByteArray &image);

    // The image decoded into the open device's format, exactly as playWave does it, or nullptr for
    // an image that cannot play. Needs an open SDL_mixer device; free the result with Mix_FreeChunk.
    static Mix_Chunk *decodeWave(const QByteArray &image);

private:
    bool openDevice();
    void musicEnded(PlayId play);
    void freeWave();

    bool deviceOpen = false;
    std::unique_ptr<QObject> uiThread;       // receives the end notices the audio thread posts
    std::unique_ptr<FluidMusic> music;
    MusicEndedHandler endedHandler;
    PlayId lastPlay = 0;
    PlayId runningPlay = 0;                  // the play whose end may still be reported; 0 for none
    Mix_Chunk *wave = nullptr;
};
