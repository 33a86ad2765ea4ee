#include "sound/sdlaudiobackend.h"

#include "platform/timer.h"
#include "sound/endnoticebell.h"
#include "sound/fluidmusic.h"
#include "sound/musicfile.h"
#include "sound/waveimage.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QLoggingCategory>
#include <QSocketNotifier>

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdint>
#include <string>
#include <utility>

namespace {

// Switched off and on by name, as QT_LOGGING_RULES="brummo.sound=false" does.
Q_LOGGING_CATEGORY(soundLog, "brummo.sound")

// The channel kept for waves: reserved, so nothing else SDL_mixer plays can take it.
constexpr int waveChannel = 0;

void musicHook(void *music, Uint8 *stream, int bytes)
{
    // SDL_mixer calls this on its audio thread, holding its device lock; FluidMusic::render neither
    // locks (FluidSynth's own guard is switched off), waits nor allocates. The format was checked
    // to be 16-bit stereo: four bytes a frame.
    static_cast<FluidMusic *>(music)->render(reinterpret_cast<std::int16_t *>(stream), bytes / 4);
}

bool openMixer()
{
    // No format changes allowed: SDL converts to whatever the device wants, and the music hook
    // can count on 44100 Hz 16-bit stereo, each time the device opens.
    return Mix_OpenAudioDevice(SdlAudioBackend::sampleRate, AUDIO_S16SYS, 2, SdlAudioBackend::bufferFrames, nullptr, 0) == 0;
}

bool tryOpenDevice()
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    if (openMixer())
        return true;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
}

} // namespace

SdlAudioBackend::SdlAudioBackend(TimerFactory &timers)
    : SdlAudioBackend(timers, FluidMusic::defaultSoundFont())
{
}

SdlAudioBackend::SdlAudioBackend(TimerFactory &timers, const QString &soundFont, std::chrono::milliseconds idleDelay)
    : idleDelay(idleDelay), idleTimer(timers.createTimer())
{
    // SDL would catch SIGTERM and SIGINT and turn them into quit events nobody reads here, and the
    // program would no longer end when told to.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // By default SDL plays a cut-off wave file up to where it breaks off; a damaged file is to
    // play nothing instead.
    SDL_SetHint(SDL_HINT_WAVE_TRUNCATION, "strict");
    // The desktop's volume control lists the sound under the program's name and with the icon of
    // its menu entry, not as "SDL Application"; PulseAudio (and PipeWire in its place) reads the
    // icon from the environment when SDL connects.
    const QByteArray programName = QCoreApplication::applicationName().toUtf8();
    if (!programName.isEmpty())
        SDL_SetHint(SDL_HINT_APP_NAME, programName.constData());
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_STREAM_NAME,
                QCoreApplication::translate("SdlAudioBackend", "Musik und Geräusche").toUtf8().constData());
    if (!qEnvironmentVariableIsSet("PULSE_PROP_application.icon_name"))
        qputenv("PULSE_PROP_application.icon_name", "org.example.brummo");

    idleTimer->onTick([this] { sleepIfQuiet(); });

    audioUp = deviceOpen = openDevice();
    if (!deviceOpen)
        return;
    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    // Music files are read at the device's rate, and the renderer must render at that rate.
    if (Mix_QuerySpec(&frequency, &format, &channels) != 0 && frequency == sampleRate && format == AUDIO_S16SYS
        && channels == 2) {
        // Made once, while the device is first open, and kept while it sleeps: the SoundFont
        // takes long to load, and the synthesiser does not care whether anyone listens.
        bell = std::make_unique<EndNoticeBell>();
        music = std::make_unique<FluidMusic>(sampleRate, *bell, soundFont);
        // Without an event loop on this thread (a command-line tool, the fuzzer) no notice arrives.
        if (bell->descriptor() >= 0 && QAbstractEventDispatcher::instance()) {
            endNotifier = std::make_unique<QSocketNotifier>(bell->descriptor(), QSocketNotifier::Read);
            QObject::connect(endNotifier.get(), &QSocketNotifier::activated, endNotifier.get(),
                             [this] { musicEnded(bell->answer()); });
        }
    }
    prepareMixer();
    restartIdleTimer();
}

void SdlAudioBackend::prepareMixer()
{
    // SDL_mixer forgets its channels with the device; the hook is set only while the device is open,
    // so no device opened later can call into music that has gone.
    Mix_ReserveChannels(waveChannel + 1);
    if (music)
        Mix_HookMusic(&musicHook, music.get());
}

bool SdlAudioBackend::openDevice()
{
    if (tryOpenDevice())
        return true;
    const std::string reason = SDL_GetError();
    // No sound device (a build server, a muted desktop): the dummy driver consumes the sound in
    // real time, so the game behaves as with sound. The override outranks SDL_AUDIODRIVER, which
    // may name the very driver that just failed.
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
    const bool opened = tryOpenDevice();
    SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    qCWarning(soundLog).noquote() << QCoreApplication::translate("SdlAudioBackend",
                                                                 "Brummo: keine Tonausgabe (%1), das Spiel bleibt stumm.")
                                         .arg(QString::fromStdString(reason));
    return opened;
}

bool SdlAudioBackend::wake()
{
    if (deviceOpen || !audioUp)
        return deviceOpen;
    // The driver chosen at the start is still up (the dummy one too, if it came to that).
    deviceOpen = openMixer();
    if (!deviceOpen) {
        // The device was there before and is not now: unplugged, or taken by another program
        // while the game did not hold it. Choosing afresh leaves at worst the dummy driver.
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        audioUp = deviceOpen = openDevice();
        if (!deviceOpen)
            return false;
    }
    prepareMixer();
    return true;
}

void SdlAudioBackend::restartIdleTimer()
{
    // Without an event loop on this thread (a command-line tool, the fuzzer) the timer could never
    // fire, and Qt would complain at its start; the device then simply stays open.
    if (QAbstractEventDispatcher::instance())
        idleTimer->setInterval(static_cast<int>(idleDelay.count()));
}

void SdlAudioBackend::sleepIfQuiet()
{
    if (!deviceOpen)
        return;
    // A wave is over once SDL has mixed its last sample (the winner's lasts seconds); music only
    // with its end notice or a stop, whose last notes then had the whole delay to ring out.
    // The timer repeats, so a sound still playing is looked at again after another delay.
    if (runningPlay == 0 && Mix_Playing(-1) == 0)
        closeDevice();
}

void SdlAudioBackend::closeDevice()
{
    // Once the hook is gone (SDL_mixer swaps it under its device lock), the audio thread no
    // longer renders music or rings the bell. After the close no Mix_ call may touch a channel:
    // SDL_mixer frees them with the device.
    Mix_HookMusic(nullptr, nullptr);
    Mix_CloseAudio();
    deviceOpen = false;
    // No channel plays it any more; the game still holds it, in the format the device opens in.
    soundingWave.reset();
    idleTimer->setInterval(0);
}

SdlAudioBackend::~SdlAudioBackend()
{
    if (deviceOpen)
        closeDevice();
    // No audio thread runs now, so the music can go, while SDL is still up.
    music.reset();
    if (audioUp) {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0)
        SDL_Quit();
}

QString SdlAudioBackend::driverName() const
{
    if (!audioUp)
        return {};
    const char *name = SDL_GetCurrentAudioDriver();
    return name ? QString::fromUtf8(name) : QString();
}

bool SdlAudioBackend::musicReady() const
{
    return music && music->state() == FluidMusic::State::Ready;
}

// The music's restart, all of it: the audio thread rings the bell in the buffer where a play
// ends; the bell's notifier calls musicEnded here, which alone decides whether the notice counts,
// and hands it to the handler; the game's handler (Apis::MusikStarten) calls playMusic, which
// reads the file and posts the next play to the audio thread.
void SdlAudioBackend::musicEnded(PlayId play)
{
    // A notice rung before a newer play or a stop cut this one off no longer counts.
    if (play == 0 || play != runningPlay)
        return;
    runningPlay = 0;
    // The last notes still ring: the quiet the device waits for starts now.
    restartIdleTimer();
    if (endedHandler) {
        // A copy, because the handler may replace itself (stopping the music switches it off).
        const MusicEndedHandler handler = endedHandler;
        handler(play);
    }
}

AudioBackend::PlayId SdlAudioBackend::playMusic(const QString &path)
{
    const PlayId play = ++lastPlay;
    runningPlay = play;
    if (music && wake()) {
        music->play(play, readMusicFile(path, sampleRate));
        restartIdleTimer();
    }
    return play;
}

void SdlAudioBackend::stopMusic()
{
    runningPlay = 0;
    // Asleep, nothing sounds; the stop waits in the mailbox for the next wake, harmlessly.
    if (music)
        music->stop();
}

void SdlAudioBackend::setMusicEndedHandler(MusicEndedHandler handler)
{
    endedHandler = std::move(handler);
}

AudioBackend::Wave SdlAudioBackend::prepareWave(const QByteArray &image)
{
    // Decoded here, where the game loads it, so that playing it later only starts a channel. The
    // decode needs no device, so a wave is judged the same with sound and without.
    return DecodedWave::decode(image);
}

void SdlAudioBackend::playWave(const Wave &wave)
{
    if (!wake())
        return;
    // Every wave this device hands out is one it decoded.
    std::shared_ptr<const DecodedWave> next = std::static_pointer_cast<const DecodedWave>(wave);
    // A play on the channel replaces what sounds there in one go under SDL's device lock, which the
    // audio thread holds while it mixes: taken once, so the start cannot miss the next buffer by
    // waiting twice. Either way, from then on the mixer reads the old wave no more.
    if (!next || Mix_PlayChannel(waveChannel, next->chunk(), 0) < 0) {
        Mix_HaltChannel(waveChannel);
        next.reset();
    }
    soundingWave = std::move(next);
    restartIdleTimer();
}

void SdlAudioBackend::stopWave()
{
    if (deviceOpen)
        Mix_HaltChannel(waveChannel);
}
