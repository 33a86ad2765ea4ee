// The FluidSynth music renderer, driven buffer by buffer from the test thread: time here is the
// number of frames rendered, so the end of a play can be pinned to its buffer.

#include "sound/endnoticebell.h"
#include "sound/fluidmusic.h"
#include "tests/support/midibytes.h"

#include <QtTest>

#include <dlfcn.h>
#include <fluidsynth.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <memory>
#include <thread>
#include <vector>

// Notes sent to the synthesiser, counted in front of FluidSynth's own functions.
namespace {
std::atomic<int> notesSent{0};
template <typename Function>
Function fluidSynth(const char *name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}
} // namespace
extern "C" {
int fluid_synth_noteon(fluid_synth_t *synth, int channel, int key, int velocity)
{
    ++notesSent;
    static const auto real = fluidSynth<decltype(&fluid_synth_noteon)>("fluid_synth_noteon");
    return real(synth, channel, key, velocity);
}
int fluid_synth_noteoff(fluid_synth_t *synth, int channel, int key)
{
    ++notesSent;
    static const auto real = fluidSynth<decltype(&fluid_synth_noteoff)>("fluid_synth_noteoff");
    return real(synth, channel, key);
}
}

namespace {

constexpr int rate = 44100;
constexpr int buffer = 512;   // what SDL asks for in one go
const QByteArray quarterChord = midibytes::chord(240);   // a quarter of a second: 240 ticks at 960 a second
const QByteArray shortChord = midibytes::chord(1200);    // a second and a quarter
const long long shortFrames = rate * 5 / 4;
const QByteArray longChord = midibytes::chord(4 * midibytes::division);   // two seconds
const long long shortestPlayFrames = static_cast<long long>(FluidMusic::shortestPlaySeconds * rate);

// What comes after the first play's start.
enum class Cut { None, Stop, Restart };

struct Notice {
    FluidMusic::PlayId play;
    long long frames;   // rendered when it came, its own buffer included
};

struct Harness {
    void play(FluidMusic::PlayId play, const QByteArray &file)
    {
        music.play(play, std::make_shared<const MidiSequence>(MidiSequence::read(file, rate)));
    }

    // Renders whole buffers, at least one, for the given time; returns the loudest sample in them.
    int render(double seconds)
    {
        int peak = 0;
        const long long until = frames + static_cast<long long>(seconds * rate);
        do {
            std::fill(samples.begin(), samples.end(), std::int16_t{12345});   // must be overwritten
            music.render(samples.data(), buffer);
            for (std::int16_t s : samples)
                peak = std::max(peak, std::abs(static_cast<int>(s)));
            frames += buffer;
            if (const FluidMusic::PlayId ended = bell.answer())
                notices.append({ended, frames});
        } while (frames < until);
        return peak;
    }

    QList<Notice> notices;
    long long frames = 0;
    EndNoticeBell bell;
    FluidMusic music{rate, bell};
    std::vector<std::int16_t> samples = std::vector<std::int16_t>(2 * buffer);
};

} // namespace

Q_DECLARE_METATYPE(Cut)

class TestFluidMusic : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (FluidMusic::defaultSoundFont().isEmpty())
            QSKIP("No General MIDI SoundFont installed (tools/setup.sh installs timgm6mb-soundfont)");
    }

    void endNoticeOnlyForThePlayThatReachesItsEnd_data()
    {
        QTest::addColumn<Cut>("cut");
        QTest::addColumn<double>("oldPlayed");   // seconds before it comes
        QTest::addColumn<QByteArray>("song");    // of the play that is to end: the first, or the restart
        QTest::addColumn<long long>("endsAt");   // frames after its start
        const auto row = [](const char *tag, Cut cut, double oldPlayed, const QByteArray &song = shortChord,
                            long long endsAt = shortFrames) {
            QTest::newRow(tag) << cut << oldPlayed << song << endsAt;
        };
        row("played to its end", Cut::None, 0);
        // Its end would start the next play at once: each start reads the file on the window's thread.
        row("shorter than the shortest play: it ends when that does", Cut::None, 0, quarterChord, shortestPlayFrames);
        row("stopped before its request was taken", Cut::Stop, 0);
        row("stopped under way", Cut::Stop, 0.5);
        row("restarted before its request was taken", Cut::Restart, 0);
        row("restarted under way", Cut::Restart, 0.5);
    }

    void endNoticeOnlyForThePlayThatReachesItsEnd()
    {
        QFETCH(Cut, cut);
        QFETCH(double, oldPlayed);
        QFETCH(QByteArray, song);
        QFETCH(long long, endsAt);
        Harness h;
        // The SoundFont loads on a thread of its own, in real time; everything after is virtual.
        QVERIFY(QTest::qWaitFor([&h] { return h.music.state() != FluidMusic::State::Loading; }, 60000));
        QCOMPARE(h.music.state(), FluidMusic::State::Ready);
        h.play(1, cut == Cut::None ? song : longChord);
        if (oldPlayed > 0)
            QVERIFY(h.render(oldPlayed) > 1000);
        const long long start = h.frames;
        if (cut == Cut::Stop)
            h.music.stop();
        else if (cut == Cut::Restart)
            h.play(2, song);
        int heard = 0;
        while (h.notices.isEmpty() && h.frames < start + 3 * rate)
            heard = std::max(heard, h.render(0));

        // Stopped, it is silent from the very next buffer on, reverb included.
        QVERIFY2(cut == Cut::Stop ? heard == 0 : heard > 1000, qPrintable(QString::number(heard)));
        if (cut != Cut::Stop) {
            QCOMPARE(h.notices.size(), 1);
            QCOMPARE(h.notices.at(0).play, FluidMusic::PlayId(cut == Cut::None ? 1 : 2));
            // From its beginning; and not before the last note is released, nor seconds later when the
            // notes have died away: within the buffer that reaches it, plus the player's 64-frame step.
            const long long end = h.notices.at(0).frames - start;
            QVERIFY2(end >= endsAt && end <= endsAt + buffer + 64, qPrintable(QString::number(end)));
            // The end resets nothing: the chord released just before rings on into a restart.
            if (endsAt > shortestPlayFrames)
                QVERIFY(h.render(0.05) > 100);
        }
        h.render(4.0);
        QCOMPARE(h.render(0.5), 0);   // exactly, so a quiet stretch can be told from a playing one
        QCOMPARE(h.notices.size(), cut == Cut::Stop ? 0 : 1);

        // Played again, it starts over (SDL_mixer's own MIDI music could not). Then the renderer goes
        // while it plays, with a request pending: LeakSanitizer sees that all of it goes along.
        h.play(8, longChord);
        QVERIFY(h.render(0.2) > 1000);
        h.play(9, shortChord);
    }

    // However many notes fall due at one instant, a buffer sends at most its budget of them, the
    // next buffers the rest; the play ends with the buffer that sends its last note-off, here
    // later than the shortest play.
    void aDenseInstantIsSpreadOverBuffers()
    {
        Harness h;
        QTRY_VERIFY_WITH_TIMEOUT(h.music.state() == FluidMusic::State::Ready, 60000);
        const int budget = FluidMusic::mostEventsPerBuffer;
        constexpr int buffersOfNotes = 200;   // 2.3 s
        QCOMPARE_GT(buffersOfNotes * buffer, shortestPlayFrames);
        // As many note-ons at tick 0, as many note-offs one tick later.
        constexpr int notes = buffersOfNotes * FluidMusic::mostEventsPerBuffer / 2;
        QByteArray events = QByteArray::fromHex("00900064");
        for (int n = 1; n < notes; ++n)
            events += midibytes::deltaTime(0) + char(n % 128) + char(100);
        events += QByteArray::fromHex("01800000");
        for (int n = 1; n < notes; ++n)
            events += midibytes::deltaTime(0) + char(n % 128) + char(0);
        h.play(1, midibytes::file(events));
        QList<int> sentPerBuffer;
        while (h.notices.isEmpty() && sentPerBuffer.size() < buffersOfNotes + 10) {
            const int before = notesSent;
            h.render(0);
            sentPerBuffer.append(notesSent - before);
        }
        QCOMPARE(sentPerBuffer, QList<int>(buffersOfNotes, budget));
        QCOMPARE(h.notices.size(), 1);
    }

    // Requests posted while the audio thread takes the ones before: every play handed back is freed
    // (LeakSanitizer, in the sanitizer build, names one that is not).
    void everyPlayIsFreedWhileTheAudioThreadRenders()
    {
#ifndef __SANITIZE_ADDRESS__
        QSKIP("only LeakSanitizer, in the sanitizer build, sees a play that is never freed");
#endif
        Harness h;
        QTRY_VERIFY_WITH_TIMEOUT(h.music.state() == FluidMusic::State::Ready, 60000);
        std::atomic<bool> posting{true};
        std::thread audio([&] {
            std::int16_t stereo[2 * 8];
            while (posting.load())
                h.music.render(stereo, 8);
        });
        // One sequence shared by all, as the plays of an unchanged file share it.
        const auto sequence = std::make_shared<const MidiSequence>(MidiSequence::read(shortChord, rate));
        for (FluidMusic::PlayId play = 1; play <= 20000; ++play)
            h.music.play(play, sequence);
        posting.store(false);
        audio.join();
    }
};

QTEST_GUILESS_MAIN(TestFluidMusic)
#include "test_fluidmusic.moc"
