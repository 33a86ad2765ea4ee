#pragma once

#include "sound/audiobackend.h"
#include "sound/midisequence.h"
#include "sound/musicfile.h"

#include <QByteArray>
#include <QString>

#include <fluidsynth/types.h>

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <thread>

// Renders one MIDI file at a time with FluidSynth into interleaved 16-bit stereo frames: play() and
// stop() on the window's thread, render() on the audio thread (see SdlAudioBackend for what each
// does). Neither ever waits for the other:
// - A request (a play with its sequence, or none for a stop) goes through a one-slot mailbox that
//   render() empties at its start, so it takes effect with the next buffer. Only the newest counts;
//   one overwritten before it was taken never plays and is freed at once.
// - render() hands the play it replaces back on a lock-free list, linked through the plays
//   themselves, which the next post takes whole and frees (a post may race with render() taking
//   the request before it, so more than one play can be waiting there). A sequence is shared
//   read-only; only the window's thread copies or drops a share, so the audio thread never
//   touches the count.
// - At most mostEventsPerBuffer messages go to the synthesiser in one render(); more due at once
//   wait for the next buffers, so no buffer takes long however dense a file is. A play ends only
//   once every one of its messages went out, its last note-offs included.
// FluidSynth's own writing of samples makes heap calls of its own, which are not ours to change.
// Until the SoundFont is loaded, render() gives silence and keeps the requests.
class EndNoticeBell;

class FluidMusic {
public:
    using PlayId = AudioBackend::PlayId;

    enum class State { Loading, Ready, Failed };

    // Creating it may walk SDL's audio device list (FluidSynth's settings for its own SDL driver
    // do), so it belongs to the thread that starts and stops SDL, and within that span.
    // Inside render(), the bell is rung once for each play that reached the end of its sequence;
    // never for a play that was cut off, never for a file that did not load. It must outlive the
    // music.
    FluidMusic(int sampleRate, EndNoticeBell &bell, const QString &soundFont = defaultSoundFont());
    // Must not run while render() does; waits for the SoundFont loading to finish.
    ~FluidMusic();

    FluidMusic(const FluidMusic &) = delete;
    FluidMusic &operator=(const FluidMusic &) = delete;

    // Plays a sequence read beforehand from its beginning, cutting off the play before; one that is
    // missing or not playable just stops.
    void play(PlayId play, std::shared_ptr<const MidiSequence> sequence);
    void stop();

    // The messages one render() sends at most: more than a song sends in one buffer (an opening
    // that sets ten controllers on each of the sixteen channels sends 160), few enough that a
    // buffer of them, each stealing a sounding voice, leaves most of the buffer's time free
    // (bench/README.md, "Dense music files"). Sent all at once, a dense file held one callback,
    // and the window's thread waiting on its lock, for seconds.
    static constexpr int mostEventsPerBuffer = 256;

    // The shortest a play lasts, silence after a shorter sequence included (musicfile.h says why).
    static constexpr double shortestPlaySeconds = shortestMusicPlaySeconds;

    // Overwrites frames * 2 samples.
    void render(std::int16_t *stereo, int frames);

    State state() const { return loadState.load(std::memory_order_acquire); }

    // The General MIDI SoundFont Debian installs, or an empty text if there is none.
    static QString defaultSoundFont();

private:
    struct Play {
        PlayId id = 0;
        std::shared_ptr<const MidiSequence> sequence;
        Play *nextReturned = nullptr;
    };

    static void freeReturned(Play *returnList);

    void post(Play *request);
    void load(const QByteArray &soundFontPath);
    void take(Play *request);
    void retire(Play *done);
    void sendDueEvents();
    void endPlay();
    void writeFrames(std::int16_t *stereo, int frames);

    EndNoticeBell &bell;
    const int sampleRate;
    const long long ringOutFrames;
    const long long shortestPlayFrames;
    // The audio thread may not wait on a lock, and an atomic that is not lock-free hides one.
    static_assert(std::atomic<State>::is_always_lock_free);
    static_assert(std::atomic<Play *>::is_always_lock_free);
    std::atomic<State> loadState{State::Loading};
    std::atomic<Play *> mailbox{nullptr};
    std::atomic<Play *> returned{nullptr};   // from the audio thread, to be freed by the window's
    std::thread loader;

    fluid_settings_t *settings = nullptr;
    // Written by the loader before loadState turns Ready; from then on the audio thread's.
    fluid_synth_t *synth = nullptr;

    // The audio thread's alone (and the destructor's, once it no longer runs).
    Play *current = nullptr;                 // the play taken last, kept after its end until replaced
    bool playing = false;
    std::size_t nextEvent = 0;
    int eventsLeftInBuffer = 0;
    long long position = 0;                  // frames of the current play rendered
    long long quietFrames;                   // silent ones since the music ended; at the start, enough
    std::array<float, 2 * 1024> scratch{};
};
