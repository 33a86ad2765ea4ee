#include "sound/fluidmusic.h"

#include "sound/endnoticebell.h"

#include <QFile>
#include <QFileInfo>

#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <mutex>

namespace {

// FluidSynth's own default (0.2) leaves our tune far quieter than the waves; this lifts it as far
// as still leaves room for a wave played on top of it (musicgap prints the tune's peak).
constexpr double musicGain = 0.7;

// After the last voice has died, reverb and chorus still ring for a while; only after that much
// quiet does the synthesiser stop being asked for samples.
constexpr double ringOutSeconds = 2.0;

void silenceFluidSynthLog()
{
    // FluidSynth prints warnings and errors to stderr by itself; the game is silent about music
    // it cannot play, so a corrupt file must not flood the terminal.
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
            fluid_set_log_function(level, nullptr, nullptr);
    });
}

bool isSoundFont(const QByteArray &path)
{
    // FluidSynth hands files it does not know to libinstpatch, which complains on stderr about
    // anything that is not an instrument file. A SoundFont (.sf2 and .sf3 alike) starts so:
    QFile file(QFile::decodeName(path));
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(12);
    return head.size() == 12 && head.startsWith("RIFF") && head.sliced(8) == "sfbk";
}

} // namespace

QString FluidMusic::defaultSoundFont()
{
    // TimGM6mb first: it comes with the packages the game installs, its SoundFont is small enough
    // to load in a blink, and the tune's balance was set with it. The default-GM links may point
    // nowhere (a dangling alternative), which QFileInfo::exists sees through.
    const QString candidates[] = {
        QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2"),
        QStringLiteral("/usr/share/sounds/sf2/default-GM.sf2"),
        QStringLiteral("/usr/share/sounds/sf3/default-GM.sf3"),
    };
    for (const QString &path : candidates) {
        if (QFileInfo::exists(path))
            return path;
    }
    return {};
}

FluidMusic::FluidMusic(int sampleRate, EndNoticeBell &bell, const QString &soundFont)
    : bell(bell), sampleRate(sampleRate),
      ringOutFrames(static_cast<long long>(ringOutSeconds * sampleRate)),
      shortestPlayFrames(static_cast<long long>(shortestPlaySeconds * sampleRate)), quietFrames(ringOutFrames)
{
    silenceFluidSynthLog();
    // Made here, not by the loader: FluidSynth's settings list the SDL audio devices for its own
    // SDL driver, and SDL is the caller's to start and stop, on the caller's thread.
    settings = new_fluid_settings();
    if (!settings) {
        loadState.store(State::Failed, std::memory_order_release);
        return;
    }
    fluid_settings_setnum(settings, "synth.sample-rate", sampleRate);
    fluid_settings_setnum(settings, "synth.gain", musicGain);
    // Pinning the samples needs a memory lock limit a desktop user may not have.
    fluid_settings_setint(settings, "synth.lock-memory", 0);
    // FluidSynth guards every call with a mutex of its own unless told that one thread at a time
    // calls it, which holds here: the loader until it publishes the synthesiser, then only the
    // audio thread, until the destructor runs after it has stopped. Without the guard the audio
    // thread takes no lock at all.
    fluid_settings_setint(settings, "synth.threadsafe-api", 0);
    loader = std::thread([this, path = QFile::encodeName(soundFont)] { load(path); });
}

FluidMusic::~FluidMusic()
{
    if (loader.joinable())
        loader.join();
    delete mailbox.exchange(nullptr);
    freeReturned(returned.exchange(nullptr));
    delete current;
    if (synth)
        delete_fluid_synth(synth);
    if (settings)
        delete_fluid_settings(settings);
}

void FluidMusic::load(const QByteArray &soundFontPath)
{
    fluid_synth_t *newSynth = new_fluid_synth(settings);
    if (newSynth && isSoundFont(soundFontPath)
        && fluid_synth_sfload(newSynth, soundFontPath.constData(), 1) != FLUID_FAILED) {
        synth = newSynth;
        loadState.store(State::Ready, std::memory_order_release);
        return;
    }
    if (newSynth)
        delete_fluid_synth(newSynth);
    loadState.store(State::Failed, std::memory_order_release);
}

void FluidMusic::play(PlayId play, std::shared_ptr<const MidiSequence> sequence)
{
    post(new Play{play, std::move(sequence)});
}

void FluidMusic::stop()
{
    post(new Play{});
}

void FluidMusic::post(Play *request)
{
    // What the audio thread gave back since the last post.
    freeReturned(returned.exchange(nullptr, std::memory_order_acquire));
    // A request the audio thread has not taken yet is simply replaced: it was cut off before
    // it made a sound.
    delete mailbox.exchange(request, std::memory_order_acq_rel);
}

void FluidMusic::freeReturned(Play *returnList)
{
    while (Play *play = returnList) {
        returnList = play->nextReturned;
        delete play;
    }
}

void FluidMusic::retire(Play *done)
{
    // Freed by the window's thread at its next post, or by the destructor. Only this thread
    // pushes and the other takes the whole list at once, so the exchange cannot be fooled by a
    // play freed and made anew at the same address.
    if (!done)
        return;
    done->nextReturned = returned.load(std::memory_order_relaxed);
    while (!returned.compare_exchange_weak(done->nextReturned, done, std::memory_order_release,
                                           std::memory_order_relaxed)) {
    }
}

void FluidMusic::take(Play *request)
{
    const bool playable = request->sequence && request->sequence->playable();
    if (playing || !playable) {
        // Silence at once, reverb included. After a play that ended by itself nothing is reset,
        // so its last notes ring on into the new start.
        fluid_synth_system_reset(synth);
        quietFrames = ringOutFrames;
    }
    retire(current);
    current = request;
    playing = playable;
    nextEvent = 0;
    position = 0;
    if (playing)
        quietFrames = 0;
}

void FluidMusic::sendDueEvents()
{
    const std::vector<MidiSequence::Event> &events = current->sequence->events;
    for (; nextEvent < events.size() && events[nextEvent].frame <= position && eventsLeftInBuffer > 0;
         ++nextEvent, --eventsLeftInBuffer) {
        const MidiSequence::Event &event = events[nextEvent];
        const int channel = event.status & 0x0F;
        switch (event.status >> 4) {
        case 0x8:
            fluid_synth_noteoff(synth, channel, event.data1);
            break;
        case 0x9:
            // A note-on at velocity 0 is how most files release a note.
            if (event.data2 == 0)
                fluid_synth_noteoff(synth, channel, event.data1);
            else
                fluid_synth_noteon(synth, channel, event.data1, event.data2);
            break;
        case 0xA:
            fluid_synth_key_pressure(synth, channel, event.data1, event.data2);
            break;
        case 0xB:
            fluid_synth_cc(synth, channel, event.data1, event.data2);
            break;
        case 0xC:
            fluid_synth_program_change(synth, channel, event.data1);
            break;
        case 0xD:
            fluid_synth_channel_pressure(synth, channel, event.data1);
            break;
        default:
            fluid_synth_pitch_bend(synth, channel, event.data1 | (event.data2 << 7));
            break;
        }
    }
}

void FluidMusic::endPlay()
{
    // The sequence is over once its clock passes the end of its last track, and the shortest play,
    // and every message went out; the released notes then ring on as they were let go, into a
    // restart too. The play stays current until the next request, which hands it back.
    sendDueEvents();
    if (position < std::max(current->sequence->endFrame, shortestPlayFrames)
        || nextEvent < current->sequence->events.size())
        return;
    playing = false;
    bell.ring(current->id);
}

void FluidMusic::writeFrames(std::int16_t *stereo, int frames)
{
    const long long chunkFrames = static_cast<long long>(scratch.size() / 2);
    while (frames > 0) {
        long long n = std::min<long long>(frames, chunkFrames);
        if (playing) {
            // Each message sounds from its own frame, not from the start of the buffer; those over
            // the buffer's budget sound from the start of the next.
            sendDueEvents();
            const std::vector<MidiSequence::Event> &events = current->sequence->events;
            if (nextEvent < events.size() && eventsLeftInBuffer > 0)
                n = std::min(n, events[nextEvent].frame - position);
        }
        const int count = static_cast<int>(n);
        fluid_synth_write_float(synth, count, scratch.data(), 0, 2, scratch.data(), 1, 2);
        // Converted here rather than by fluid_synth_write_s16, whose dither turns silence into
        // noise of one step; exact silence lets a quiet stretch be told from a playing one.
        for (int i = 0; i < 2 * count; ++i) {
            const float sample = std::clamp(scratch[static_cast<std::size_t>(i)] * 32767.0f, -32768.0f, 32767.0f);
            stereo[i] = static_cast<std::int16_t>(std::lrint(sample));
        }
        stereo += 2 * count;
        frames -= count;
        position += count;
    }
}

void FluidMusic::render(std::int16_t *stereo, int frames)
{
    const State loaded = state();
    if (loaded != State::Loading) {
        if (Play *request = mailbox.exchange(nullptr, std::memory_order_acq_rel)) {
            if (loaded == State::Ready)
                take(request);
            else
                retire(request);
        }
    }
    if (loaded != State::Ready || (!playing && quietFrames >= ringOutFrames)) {
        std::fill(stereo, stereo + 2 * static_cast<std::ptrdiff_t>(frames), std::int16_t{0});
        return;
    }

    eventsLeftInBuffer = mostEventsPerBuffer;
    writeFrames(stereo, frames);
    if (playing)
        endPlay();

    if (!playing && fluid_synth_get_active_voice_count(synth) == 0)
        quietFrames += frames;
    else
        quietFrames = 0;
}
