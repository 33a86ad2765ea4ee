// What the hardest MIDI files under the reader's caps cost: on the window's thread, the read of
// each, which every start of the music makes, and what the game's restarts of the costliest short
// one take of that thread in a loop; on the audio thread, the longest render() of a play whose
// notes all fall due at one instant; and how long the window's thread then waits on SDL's audio
// lock (SdlAudioBackend::stopWave, which is Mix_HaltChannel and nothing else).
//
//   densemidi

#include "platform/qttimers.h"
#include "sound/endnoticebell.h"
#include "sound/fluidmusic.h"
#include "sound/apis.h"
#include "sound/musicfile.h"
#include "sound/sdlaudiobackend.h"
#include "tests/support/fakedialogs.h"
#include "tests/support/fakeplatform.h"
#include "tests/support/midibytes.h"
#include "tests/support/realsound.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <ctime>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int rate = SdlAudioBackend::sampleRate;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The processor time of this thread: what the work costs, however busy the machine is.
double threadMilliseconds()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// The best of a few runs, in processor time: the figure of the work, not of whoever else used the
// machine meanwhile.
double bestOf(int runs, const std::function<void()> &work)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        const double start = threadMilliseconds();
        work();
        best = std::min(best, threadMilliseconds() - start);
    }
    return best;
}

// `count` note-ons, three bytes each in running status after a first full one, all at tick 0: a
// chord no hand could play.
QByteArray notesAtOnce(std::size_t count)
{
    QByteArray events = QByteArray::fromHex("00903c64");
    for (std::size_t n = 1; n < count; ++n)
        events += midibytes::deltaTime(0) + char(n % 128) + char(100);
    return events;
}

// As many of them as the cap allows, with one release 48 ticks later and the track's end.
QByteArray denseFile()
{
    return midibytes::file(notesAtOnce(MidiSequence::mostEvents - 2) + QByteArray::fromHex("30803c00"));
}

// The same events spread over sixteen tracks, each a tick behind the one before: the merge of
// the tracks then has to sort every event into place.
QByteArray interleavedTracks(std::size_t count)
{
    QByteArray tracks;
    for (int t = 0; t < 16; ++t) {
        QByteArray events = midibytes::deltaTime(static_cast<std::uint32_t>(t)) + char(0x90 + t) + char(60) + char(100);
        for (std::size_t n = 1; n < count / 16 - 1; ++n)
            events += midibytes::deltaTime(16) + char(n % 128) + char(100);
        tracks += midibytes::track(events);
    }
    return midibytes::file(16, midibytes::division, tracks);
}

struct File {
    const char *what;
    QByteArray bytes;
};

// As many tempo changes as the cap allows, all at the start, then one note 48 ticks long, its
// release and the track's end: the costliest file to read that plays next to nothing.
QByteArray temposAndOneNote()
{
    QByteArray tempos;
    for (std::size_t n = 0; n + 3 < MidiSequence::mostEvents; ++n)
        tempos += QByteArray::fromHex("00ff5103") + midibytes::bigEndian(400000 + n % 1000, 3);
    return midibytes::file(tempos + QByteArray::fromHex("00903c64" "30803c00"));
}

std::vector<File> hardestFiles()
{
    const std::size_t cap = MidiSequence::mostEvents;
    QByteArray emptyMetas;
    for (std::size_t n = 0; n + 3 < cap; ++n)
        emptyMetas += QByteArray::fromHex("00ff0100");
    const QByteArray oneNote = QByteArray::fromHex("00903c64" "30803c00");
    const qint64 headroom = largestMusicFile - 100;
    return {
        {"notes at one instant, up to the cap", denseFile()},
        {"notes in 16 interleaved tracks, up to the cap", interleavedTracks(cap)},
        {"tempo changes, up to the cap", temposAndOneNote()},
        {"empty meta events, up to the cap", midibytes::file(emptyMetas + oneNote)},
        {"5.2 million notes at one instant (15 MB, over the cap)", midibytes::file(notesAtOnce(5'200'000))},
        {"one system exclusive message of 16 MiB",
         midibytes::file(QByteArray::fromHex("00f0") + midibytes::deltaTime(static_cast<std::uint32_t>(headroom - 30))
                         + QByteArray(headroom - 30, '\x7f') + oneNote)},
    };
}

void writeSong(const QString &path, const QByteArray &bytes)
{
    QFile::remove(path);
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

void windowThread(const QString &folder)
{
    std::printf("window's thread, processor time of a read (file to sequence, readMusicFile), made at every start\n");
    const QString path = folder + QStringLiteral("/song.mid");
    for (const File &file : hardestFiles()) {
        writeSong(path, file.bytes);
        std::size_t events = 0;
        const double read = bestOf(3, [&] {
            const auto sequence = readMusicFile(path, rate);
            events = sequence ? sequence->events.size() : 0;
        });
        std::printf("  %-56s %9.1f KB %8zu events: %7.1f ms\n", file.what, file.bytes.size() / 1024.0, events, read);
    }
    const QString kol = QStringLiteral(BRUMMO_SOURCE_DIR "/assets/kol.mid");
    const double read = bestOf(20, [&] { readMusicFile(kol, rate); });
    const auto song = readMusicFile(kol, rate);
    std::printf("  %-56s %9.1f KB %8zu events: %7.3f ms\n", "kol.mid", QFile(kol).size() / 1024.0, song->events.size(), read);
    std::vector<int> perBuffer(static_cast<std::size_t>(song->endFrame / SdlAudioBackend::bufferFrames + 1));
    for (const MidiSequence::Event &event : song->events)
        ++perBuffer[static_cast<std::size_t>(event.frame / SdlAudioBackend::bufferFrames)];
    std::printf("  kol.mid's busiest buffer holds %d events\n", *std::max_element(perBuffer.begin(), perBuffer.end()));
}

// The game's own restart (Apis on the real device, SDL's disk driver at a sound card's pace) of
// the costliest file that plays next to nothing, dated a day ahead, for ten seconds: how often it
// starts over, and what that takes of the window's thread.
void restartLoop(const QString &folder)
{
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", "/dev/null");
    RealSound real(FluidMusic::defaultSoundFont());
    if (!real.waitForMusic()) {
        std::printf("restarts: no SoundFont, not measured\n");
        return;
    }
    FakeDialogs dialogs;
    FakeFolders folders;
    folders.program = folder;
    Apis sound(real.audio, dialogs, folders);
    sound.MidiDatei = folder + QStringLiteral("/short.mid");
    writeSong(sound.MidiDatei, temposAndOneNote());
    QFile dated(sound.MidiDatei);
    dated.open(QIODevice::ReadWrite);
    dated.setFileTime(QDateTime::currentDateTime().addDays(1), QFileDevice::FileModificationTime);
    dated.close();

    constexpr int seconds = 10;
    const double start = threadMilliseconds();
    sound.MusikStarten();
    QTimer::singleShot(seconds * 1000, [] { QCoreApplication::quit(); });
    QCoreApplication::exec();
    sound.MusikStoppen();
    const double busy = threadMilliseconds() - start;
    std::printf("restarts of the tempo file (plays 48 ticks, dated a day ahead): %d in %d s, window's thread busy "
                "%.1f ms (%.2f %%)\n",
                real.audio.musicStarts, seconds, busy, busy / seconds / 10);
}

void audioThread()
{
    // Rendered here, buffer by buffer as SDL asks for them, as fast as they come.
    EndNoticeBell unheard;
    FluidMusic music(rate, unheard);
    while (music.state() == FluidMusic::State::Loading)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (music.state() != FluidMusic::State::Ready) {
        std::printf("audio thread: no SoundFont, not measured\n");
        return;
    }
    const double bufferMs = 1000.0 * SdlAudioBackend::bufferFrames / rate;
    std::printf("audio thread: render() of one %d-frame buffer (%.1f ms of sound)\n", SdlAudioBackend::bufferFrames, bufferMs);
    std::vector<std::int16_t> stereo(2 * SdlAudioBackend::bufferFrames);
    const auto measure = [&](const char *what, const QByteArray &file, int buffers) {
        music.play(1, std::make_shared<const MidiSequence>(MidiSequence::read(file, rate)));
        std::vector<double> wall;
        std::vector<double> processor;
        for (int b = 0; b < buffers; ++b) {
            const Clock::time_point start = Clock::now();
            const double startProcessor = threadMilliseconds();
            music.render(stereo.data(), SdlAudioBackend::bufferFrames);
            processor.push_back(threadMilliseconds() - startProcessor);
            wall.push_back(millisecondsSince(start));
        }
        std::sort(wall.begin(), wall.end());
        std::sort(processor.begin(), processor.end());
        std::printf("  %-48s processor median %6.3f, longest %6.3f ms (%3.0f %% of the buffer); wall longest %6.3f ms\n",
                    what, processor[processor.size() / 2], processor.back(), 100 * processor.back() / bufferMs, wall.back());
    };
    QFile kol(QStringLiteral(BRUMMO_SOURCE_DIR "/assets/kol.mid"));
    kol.open(QIODevice::ReadOnly);
    measure("kol.mid, its first 20 s", kol.readAll(), 20 * rate / SdlAudioBackend::bufferFrames);
    measure("notes at one instant, up to the cap", denseFile(),
            static_cast<int>(MidiSequence::mostEvents / FluidMusic::mostEventsPerBuffer + 10));
    music.stop();
}

void lockWait(const QString &folder)
{
    // SDL's disk driver at a sound card's pace, into nothing.
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", "/dev/null");
    QtTimerFactory timers;
    SdlAudioBackend backend(timers);
    while (!backend.musicReady())
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const QString path = folder + QStringLiteral("/dense.mid");
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(denseFile()) <= 0)
        return;
    out.close();
    backend.playMusic(path);
    double longest = 0;
    const Clock::time_point start = Clock::now();
    // As long as the dense instant takes to go out, and a little more.
    const double playMs = 1000.0 * (MidiSequence::mostEvents / FluidMusic::mostEventsPerBuffer + 20) * SdlAudioBackend::bufferFrames / rate;
    while (millisecondsSince(start) < playMs) {
        const Clock::time_point call = Clock::now();
        backend.stopWave();
        longest = std::max(longest, millisecondsSince(call));
        std::this_thread::sleep_for(std::chrono::microseconds(1500));
    }
    std::printf("window's thread on SDL's audio lock while that plays: longest wait %.2f ms over %.1f s\n", longest,
                playMs / 1000);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    windowThread(folder.path());
    restartLoop(folder.path());
    audioThread();
    lockWait(folder.path());
    return 0;
}
