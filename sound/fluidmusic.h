#pragma once

#include "sound/audiobackend.h"

#include <QByteArray>
#include <QString>

#include <fluidsynth/types.h>

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <thread>

// Renders one MIDI file at a time with FluidSynth into interleaved 16-bit stereo frames.
//
// Two threads use it: a controlling thread calls play() and stop(), the audio thread calls
// render(). Neither ever waits for the other: requests travel through a one-slot mailbox that
// the audio thread empties at the start of each render(), so a request takes effect with the
// next buffer. Only the newest request counts; one overwritten before it was taken never plays.
//
// The SoundFont is loaded on a thread of its own, because a large one takes seconds and the game
// must not wait for its music. Until it is there, render() gives silence and keeps the requests.
class FluidMusic {
public:
    using PlayId = AudioBackend::PlayId;
    // Called on the rendering thread, inside render(), once for each play that reached the end
    // of its sequence. Never for a play that was cut off, never for a file that did not load.
    using EndNotice = std::function<void(PlayId)>;

    enum class State { Loading, Ready, Failed };

    // Creating it may walk SDL's audio device list (FluidSynth's settings for its own SDL driver
    // do), so it belongs to the thread that starts and stops SDL, and within that span.
    FluidMusic(int sampleRate, EndNotice notice, const QString &soundFont = defaultSoundFont());
    // Must not run while render() does; waits for the SoundFont loading to finish.
    ~FluidMusic();

    FluidMusic(const FluidMusic &) = delete;
    FluidMusic &operator=(const FluidMusic &) = delete;

    // Plays a whole standard MIDI file image from its beginning, cutting off the play before.
    // An empty image just stops.
    void play(PlayId play, const QByteArray &midi);
    void stop();

    // Overwrites frames * 2 samples.
    void render(std::int16_t *stereo, int frames);

    State state() const { return loadState.load(std::memory_order_acquire); }

    // The General MIDI SoundFont Debian installs, or an empty text if there is none.
    static QString defaultSoundFont();

private:
    struct Request {
        PlayId play = 0;
        QByteArray midi;
    };

    void post(Request *request);
    void load(const QByteArray &soundFontPath);
    void take(Request &request);
    void endPlay();
    void writeFrames(std::int16_t *stereo, int frames);
    static int tickPassed(void *data, int tick);

    EndNotice notice;
    const long long ringOutFrames;
    std::atomic<State> loadState{State::Loading};
    std::atomic<Request *> mailbox{nullptr};
    std::thread loader;

    fluid_settings_t *settings = nullptr;
    // Written by the loader before loadState turns Ready; from then on the audio thread's.
    fluid_synth_t *synth = nullptr;

    // The audio thread's alone (and the destructor's, once it no longer runs).
    fluid_player_t *player = nullptr;
    PlayId current = 0;
    int lastTick = -1;                       // of the playing sequence; -1 until it has loaded
    bool sequenceEnded = false;
    long long quietFrames = 0;
    std::array<float, 2 * 1024> scratch{};
};
