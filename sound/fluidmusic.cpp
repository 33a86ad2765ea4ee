#include "sound/fluidmusic.h"

#include <QFile>
#include <QFileInfo>

#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <mutex>

namespace {

// FluidSynth's own default (0.2) leaves our tune peaking near -17 dBFS; this lifts it to about
// -7 dBFS (RMS -22 dBFS), which leaves room for a wave played on top of it.
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

FluidMusic::FluidMusic(int sampleRate, EndNotice notice, const QString &soundFont)
    : notice(std::move(notice)), ringOutFrames(static_cast<long long>(ringOutSeconds * sampleRate))
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
    // The player would otherwise reset the synthesiser at the end of the file, which cuts the
    // release of the last notes off with a click instead of letting them ring into the restart.
    fluid_settings_setint(settings, "player.reset-synth", 0);
    // Pinning the samples needs a memory lock limit a desktop user may not have.
    fluid_settings_setint(settings, "synth.lock-memory", 0);
    loader = std::thread([this, path = QFile::encodeName(soundFont)] { load(path); });
}

FluidMusic::~FluidMusic()
{
    if (loader.joinable())
        loader.join();
    delete mailbox.exchange(nullptr);
    if (player)
        delete_fluid_player(player);
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

void FluidMusic::play(PlayId play, const QByteArray &midi)
{
    post(new Request{play, midi});
}

void FluidMusic::stop()
{
    post(new Request{});
}

void FluidMusic::post(Request *request)
{
    // A request the audio thread has not taken yet is simply replaced: it was cut off before
    // it made a sound.
    delete mailbox.exchange(request, std::memory_order_acq_rel);
}

int FluidMusic::tickPassed(void *data, int tick)
{
    // The player calls this once a file has loaded and its clock runs, after it has sent the
    // events up to the tick. FluidSynth's own "done" comes only when the released notes have
    // died away, seconds later; the sequence itself is over once the clock passes its last event.
    auto *self = static_cast<FluidMusic *>(data);
    if (self->lastTick < 0)
        self->lastTick = fluid_player_get_total_ticks(self->player);
    if (tick >= self->lastTick)
        self->sequenceEnded = true;
    return FLUID_OK;
}

void FluidMusic::take(Request &request)
{
    const bool cuttingOff = player != nullptr;
    if (player) {
        delete_fluid_player(player);
        player = nullptr;
        current = 0;
    }
    if (cuttingOff || request.midi.isEmpty()) {
        // Silence at once, reverb included. After a play that ended by itself nothing is reset,
        // so its last notes ring on into the new start.
        fluid_synth_system_reset(synth);
        quietFrames = ringOutFrames;
    }
    if (request.midi.isEmpty())
        return;

    player = new_fluid_player(synth);
    if (!player)
        return;
    fluid_player_set_tick_callback(player, &FluidMusic::tickPassed, this);
    if (fluid_player_add_mem(player, request.midi.constData(), static_cast<size_t>(request.midi.size())) != FLUID_OK
        || fluid_player_play(player) != FLUID_OK) {
        delete_fluid_player(player);
        player = nullptr;
        return;
    }
    current = request.play;
    lastTick = -1;
    sequenceEnded = false;
    quietFrames = 0;
}

void FluidMusic::endPlay()
{
    if (!player)
        return;
    if (sequenceEnded) {
        // The player is dropped without a reset, so the last notes ring on as they were released.
        // A file that lasts no time would "end" in every buffer and have the game restart it
        // endlessly; it counts as unplayable like a broken one.
        const bool lastedAnyTime = lastTick > 0;
        delete_fluid_player(player);
        player = nullptr;
        const PlayId ended = current;
        current = 0;
        if (lastedAnyTime && notice)
            notice(ended);
    } else if (fluid_player_get_status(player) == FLUID_PLAYER_DONE) {
        // Done without its clock ever reaching the end: the file did not load.
        delete_fluid_player(player);
        player = nullptr;
        current = 0;
    }
}

void FluidMusic::writeFrames(std::int16_t *stereo, int frames)
{
    const int chunkFrames = static_cast<int>(scratch.size() / 2);
    while (frames > 0) {
        const int n = std::min(frames, chunkFrames);
        fluid_synth_write_float(synth, n, scratch.data(), 0, 2, scratch.data(), 1, 2);
        // Converted here rather than by fluid_synth_write_s16, whose dither turns silence into
        // noise of one step; exact silence lets a quiet stretch be told from a playing one.
        for (int i = 0; i < 2 * n; ++i) {
            const float sample = std::clamp(scratch[static_cast<std::size_t>(i)] * 32767.0f, -32768.0f, 32767.0f);
            stereo[i] = static_cast<std::int16_t>(std::lrint(sample));
        }
        stereo += 2 * n;
        frames -= n;
    }
}

void FluidMusic::render(std::int16_t *stereo, int frames)
{
    const State loaded = state();
    if (loaded != State::Loading) {
        if (Request *request = mailbox.exchange(nullptr, std::memory_order_acq_rel)) {
            if (loaded == State::Ready)
                take(*request);
            delete request;
        }
    }
    if (loaded != State::Ready || (!player && quietFrames >= ringOutFrames)) {
        std::fill(stereo, stereo + 2 * static_cast<std::ptrdiff_t>(frames), std::int16_t{0});
        return;
    }

    writeFrames(stereo, frames);
    endPlay();

    if (!player && fluid_synth_get_active_voice_count(synth) == 0)
        quietFrames += frames;
    else
        quietFrames = 0;
}
