// The FluidSynth music renderer, driven buffer by buffer from the test thread: time here is the
// number of frames rendered, so the end of a play can be pinned to its buffer.

#include "sound/fluidmusic.h"
#include "tests/sound/midibytes.h"

#include <QtTest>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

constexpr int rate = 44100;
constexpr int buffer = 512;   // what SDL asks for in one go
const QByteArray shortChord = midibytes::chord(240);
const long long shortFrames = static_cast<long long>(midibytes::seconds(240) * rate);
const QByteArray longChord = midibytes::chord(4 * midibytes::division);   // two seconds

struct Notice {
    FluidMusic::PlayId play;
    long long frames;   // rendered when it came, its own buffer included
};

class Harness {
public:
    explicit Harness(const QString &soundFont = FluidMusic::defaultSoundFont())
        : music(rate, [this](FluidMusic::PlayId play) { notices.append({play, frames + buffer}); }, soundFont)
    {
    }

    bool loaded()
    {
        // The SoundFont loads on a thread of its own, in real time; everything after is virtual.
        return QTest::qWaitFor([this] { return music.state() != FluidMusic::State::Loading; }, 60000);
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
        } while (frames < until);
        return peak;
    }

    FluidMusic music;
    QList<Notice> notices;
    long long frames = 0;
    std::vector<std::int16_t> samples = std::vector<std::int16_t>(2 * buffer);
};

} // namespace

class TestFluidMusic : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (FluidMusic::defaultSoundFont().isEmpty())
            QSKIP("No General MIDI SoundFont installed (tools/setup.sh installs timgm6mb-soundfont)");
    }

    void endNoticeComesOnceInTheBufferThatReachesTheEnd()
    {
        Harness h;
        QVERIFY(h.loaded());
        QCOMPARE(h.music.state(), FluidMusic::State::Ready);
        QCOMPARE(h.render(0.5), 0);
        const long long start = h.frames;
        h.music.play(7, shortChord);
        QVERIFY(h.render(0.2) > 1000);
        while (h.notices.isEmpty() && h.frames < 5 * rate)
            h.render(0);
        QCOMPARE(h.notices.size(), 1);
        QCOMPARE(h.notices.at(0).play, FluidMusic::PlayId(7));
        // Not before the last note is released, and not seconds later when the notes have died away:
        // within the buffer that reaches it, plus the player's 64-frame step.
        const long long end = h.notices.at(0).frames - start;
        QVERIFY2(end >= shortFrames && end <= shortFrames + buffer + 64, qPrintable(QString::number(end)));

        // The end resets nothing: the released chord rings on into a restart, then falls exactly silent.
        QVERIFY(h.render(0.05) > 100);
        h.render(4.0);
        QCOMPARE(h.render(0.5), 0);
        QCOMPARE(h.notices.size(), 1);
    }

    void stopSilencesAtOnceAndNeverNotifies()
    {
        Harness h;
        QVERIFY(h.loaded());
        h.music.play(3, shortChord);
        QVERIFY(h.render(0.1) > 1000);
        h.music.play(4, shortChord);   // replaced by the stop before it was taken: never plays
        h.music.stop();
        QCOMPARE(h.render(0), 0);
        QCOMPARE(h.render(3.0), 0);
        QVERIFY(h.notices.isEmpty());
    }

    void newPlayCutsTheOldOneOffAndStartsFromTheBeginning_data()
    {
        QTest::addColumn<double>("oldPlayed");   // seconds
        QTest::newRow("old request not yet taken") << 0.0;
        QTest::newRow("old play under way") << 0.5;
    }

    void newPlayCutsTheOldOneOffAndStartsFromTheBeginning()
    {
        QFETCH(double, oldPlayed);
        Harness h;
        QVERIFY(h.loaded());
        h.music.play(1, longChord);
        if (oldPlayed > 0)
            QVERIFY(h.render(oldPlayed) > 1000);
        const long long switched = h.frames;
        h.music.play(2, shortChord);
        h.render(3.0);

        QCOMPARE(h.notices.size(), 1);
        QCOMPARE(h.notices.at(0).play, FluidMusic::PlayId(2));
        const long long played = h.notices.at(0).frames - switched;
        QVERIFY2(played >= shortFrames && played <= shortFrames + 2 * buffer + 64, qPrintable(QString::number(played)));
    }

    void unplayableFilesAreSilentAndNeverEnd_data()
    {
        QTest::addColumn<QByteArray>("midi");
        QTest::newRow("nothing") << QByteArray();
        QTest::newRow("header tag only") << QByteArray("MThd");
        QTest::newRow("cut off in the track") << shortChord.first(shortChord.size() - 9);
        QTest::newRow("header and then garbage") << QByteArray("MThd") + QByteArray(300, '\x9C');
        QTest::newRow("not a MIDI file") << QByteArray("RIFF\x10\x00\x00\x00WAVEfmt and so on", 24);
        QTest::newRow("well formed but empty") << midibytes::emptySong();
    }

    void unplayableFilesAreSilentAndNeverEnd()
    {
        QFETCH(QByteArray, midi);
        Harness h;
        QVERIFY(h.loaded());
        h.music.play(5, midi);
        QCOMPARE(h.render(2.0), 0);
        QVERIFY(h.notices.isEmpty());

        // and the synthesiser is none the worse for it
        h.music.play(6, shortChord);
        QVERIFY(h.render(1.0) > 1000);
        QCOMPARE(h.notices.size(), 1);
        QCOMPARE(h.notices.at(0).play, FluidMusic::PlayId(6));
    }

    void withoutSoundFontTheMusicIsSilentlyAbsent_data()
    {
        QTest::addColumn<QString>("soundFont");
        QTest::newRow("missing file") << QStringLiteral("/nonexistent/brummo/none.sf2");
        QTest::newRow("not a SoundFont") << QFINDTESTDATA("midibytes.h");
    }

    void withoutSoundFontTheMusicIsSilentlyAbsent()
    {
        QFETCH(QString, soundFont);
        Harness h(soundFont);
        QVERIFY(h.loaded());
        QCOMPARE(h.music.state(), FluidMusic::State::Failed);
        h.music.play(1, shortChord);
        QCOMPARE(h.render(1.0), 0);
        QVERIFY(h.notices.isEmpty());
    }

    void destroyedWhilePlaying()
    {
        // LeakSanitizer checks that the player, the synthesiser and a pending request all go.
        auto h = std::make_unique<Harness>();
        QVERIFY(h->loaded());
        h->music.play(1, longChord);
        QVERIFY(h->render(0.2) > 1000);
        h->music.play(2, shortChord);
        h.reset();
    }
};

QTEST_GUILESS_MAIN(TestFluidMusic)
#include "test_fluidmusic.moc"
