#include "sound/winmmaudiobackend.h"

#include "platform/timer.h"
#include "sound/memorywave.h"
#include "sound/musicfile.h"
#include "sound/winmmcalls.h"

#include <QDir>

#include <utility>

namespace {

// Every command names the music's device by this alias, given when it is opened.
const QString closeMusic = QStringLiteral("close Musik");
const QString playMusicOnce = QStringLiteral("play Musik notify");

// MCI's parser splits a command at blanks; a name in double quotes is taken whole, so a program
// folder with blanks in its path plays its music too. No Windows file name holds a double quote.
QString openMusic(const QString &path)
{
    return QStringLiteral("open \"%1\" type sequencer alias Musik").arg(QDir::toNativeSeparators(path));
}

// Asynchronous, from memory, and without the system's default sound in place of an image Windows
// cannot play: a damaged wave plays nothing, as on every other device.
constexpr unsigned waveFlags = winmm::sndAsync | winmm::sndMemory | winmm::sndNoDefault;
// A stop names no sound, so no flag has anything to say of one.
constexpr unsigned stopFlags = 0;

// The check of the music file reads it at this rate: only whether it plays counts.
constexpr int checkRate = 1000;

} // namespace

WinmmAudioBackend::WinmmAudioBackend(WinmmCalls &calls, TimerFactory &timers)
    : calls(calls), shortestPlay(timers.createTimer())
{
    shortestPlay->onTick([this] { shortestPlayOver(); });
}

WinmmAudioBackend::~WinmmAudioBackend()
{
    calls.sendMciCommand(closeMusic);
    calls.playSound(nullptr, stopFlags);
}

AudioBackend::PlayId WinmmAudioBackend::playMusic(const QString &path)
{
    const PlayId play = ++lastPlay;
    // The close cuts off the play before; by the time it returns, that play's notice is posted,
    // ahead of the fence.
    calls.sendMciCommand(closeMusic);
    calls.postFence(play);
    runningPlay = play;
    endedEarly = false;
    shortestPlay->setInterval(static_cast<int>(shortestMusicPlaySeconds * 1000));
    // MCI opens and reads the file itself, on this thread: only a file the game would read on any
    // system gets to it, a regular one (a pipe would hold the open for good) within the bounds of
    // size and events that bound what reading it costs.
    if (!readMusicFile(path, checkRate))
        return play;
    calls.sendMciCommand(openMusic(path));
    calls.sendMciCommand(playMusicOnce);
    return play;
}

void WinmmAudioBackend::stopMusic()
{
    calls.sendMciCommand(closeMusic);
    runningPlay = 0;
    endedEarly = false;
    shortestPlay->setInterval(0);
}

void WinmmAudioBackend::setMusicEndedHandler(MusicEndedHandler handler)
{
    endedHandler = std::move(handler);
}

void WinmmAudioBackend::fencePassed(PlayId play)
{
    fencedPlay = play;
}

void WinmmAudioBackend::mciNotified(unsigned long status)
{
    // Before the running play's fence stand only the notices of plays cut off before it; after a
    // stop no play runs, whose fence could have come.
    if (status != winmm::notifySuccessful || fencedPlay != runningPlay)
        return;
    if (shortestPlay->interval() != 0) {
        endedEarly = true;
        return;
    }
    musicEnded();
}

void WinmmAudioBackend::shortestPlayOver()
{
    shortestPlay->setInterval(0);
    if (std::exchange(endedEarly, false))
        musicEnded();
}

void WinmmAudioBackend::musicEnded()
{
    const PlayId play = std::exchange(runningPlay, 0);
    if (endedHandler) {
        // A copy, because the handler may replace itself (stopping the music switches it off).
        const MusicEndedHandler handler = endedHandler;
        handler(play);
    }
}

AudioBackend::Wave WinmmAudioBackend::prepareWave(const QByteArray &image)
{
    return MemoryWave::of(image);
}

void WinmmAudioBackend::playWave(const Wave &wave)
{
    // Every wave this device hands out is one it prepared.
    std::shared_ptr<const MemoryWave> next = std::static_pointer_cast<const MemoryWave>(wave);
    if (next)
        calls.playSound(next->bytes(), waveFlags);
    else
        calls.playSound(nullptr, stopFlags);
    // Only now, with Windows done with it, may the wave cut off go.
    soundingWave = std::move(next);
}

void WinmmAudioBackend::stopWave()
{
    calls.playSound(nullptr, stopFlags);
    soundingWave.reset();
}
