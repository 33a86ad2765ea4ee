// The FluidSynth music renderer, driven sample by sample from the test thread: time here is the
// number of frames rendered, so the end of a play can be pinned to the buffer.

#include "sound/fluidmusic.h"
#include "tests/sound/midibytes.h"

#include <QList>
#include <QtTest>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

constexpr int rate = 44100;
constexpr int buffer = 512;           // what SDL asks for in one go

struct Notice {
    FluidMusic::PlayId play;
    long long renderedFrames;         // frames rendered when it came, the current buffer included
};

class Harness {
public:
    explicit Harness(const QString &soundFont = FluidMusic::defaultSoundFont())
        : music(rate, [this](FluidMusic::PlayId play) { notices.append({play, frames + buffer}); }, soundFont)
    {
    }

    bool waitUntilLoaded()
    {
        // The SoundFont loads on a thread of its own, in real time; everything after is virtual.
        return QTest::qWaitFor([this] { return music.state() != FluidMusic::State::Loading; }, 60000);
    }

    // Renders the given span of time; returns the loudest sample in it.
    int render(double seconds)
    {
        int peak = 0;
        const long long until = frames + static_cast<long long>(seconds * rate);
        while (frames < until) {
            std::fill(samples.begin(), samples.end(), std::int16_t{12345});   // must be overwritten
            music.render(samples.data(), buffer);
            for (std::int16_t s : samples)
                peak = std::max(peak, std::abs(static_cast<int>(s)));
            frames += buffer;
        }
        return peak;
    }

    FluidMusic music;
    QList<Notice> notices;
    long long frames = 0;
    std::vector<std::int16_t> samples = std::vector<std::int16_t>(2 * buffer);
};

constexpr int quarterSecondTicks = 240;
const long long quarterSecondFrames = static_cast<long long>(midibytes::seconds(quarterSecondTicks) * rate);

} // namespace

class TestFluidMusic : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (FluidMusic::defaultSoundFont().isEmpty())
            QSKIP("No General MIDI SoundFont installed (tools/setup.sh installs timgm6mb-soundfont)");
    }

    void silentBeforeAnyPlay()
    {
        Harness h;
        QVERIFY(h.waitUntilLoaded());
        QCOMPARE(h.music.state(), FluidMusic::State::Ready);
        QCOMPARE(h.render(0.5), 0);
        QVERIFY(h.notices.isEmpty());
    }

    void endNoticeComesOnceRightAtTheEndOfTheSequence()
    {
        Harness h;
        QVERIFY(h.waitUntilLoaded());
        h.music.play(7, midibytes::chord(quarterSecondTicks));
        QVERIFY(h.render(0.2) > 1000);
        h.render(2.8);

        QCOMPARE(h.notices.size(), 1);
        QCOMPARE(h.notices.at(0).play, FluidMusic::PlayId(7));
        // Not before the last note is released, and within the buffer that reaches it (plus the
        // player's 64-frame step): not seconds later, when the notes have died away.
        QVERIFY2(h.notices.at(0).renderedFrames >= quarterSecondFrames,
                 qPrintable(QString::number(h.notices.at(0).renderedFrames)));
        QVERIFY2(h.notices.at(0).renderedFrames <= quarterSecondFrames + buffer + 64,
                 qPrintable(QString::number(h.notices.at(0).renderedFrames)));
    }

    void lastNotesRingIntoTheRestartThenSilenceIsExact()
    {
        Harness h;
        QVERIFY(h.waitUntilLoaded());
        h.music.play(1, midibytes::chord(quarterSecondTicks));
        while (h.notices.isEmpty() && h.frames < 5 * rate)
            h.render(double(buffer) / rate);
        QCOMPARE(h.notices.size(), 1);
        // The end of a play resets nothing: the released chord still sounds after the notice.
        QVERIFY(h.render(0.05) > 100);
        h.render(4.0);
        QCOMPARE(h.render(0.5), 0);
        QCOMPARE(h.notices.size(), 1);
    }

    void stopSilencesAtOnceAndNeverNotifies()
    {
        Harness h;
        QVERIFY(h.waitUntilLoaded());
        h.music.play(3, midibytes::chord(quarterSecondTicks));
        QVERIFY(h.render(0.1) > 1000);
        h.music.stop();
        QCOMPARE(h.render(double(buffer) / rate), 0);
        QCOMPARE(h.render(3.0), 0);
        QVERIFY(h.notices.isEmpty());
    }

    void newPlayCutsTheOldOneOffAndStartsFromTheBeginning()
    {
        Harness h;
        QVERIFY(h.waitUntilLoaded());
        h.music.play(1, midibytes::chord(4 * midibytes::division));     // two seconds long
        QVERIFY(h.render(0.5) > 1000);
        const long long switched = h.frames;
        h.music.play(2, midibytes::chord(quarterSecondTicks));
        h.render(3.0);

        QCOMPARE(h.notices.size(), 1);
        QCOMPARE(h.notices.at(0).play, FluidMusic::PlayId(2));
        const long long played = h.notices.at(0).renderedFrames - switched;
        QVERIFY2(played >= quarterSecondFrames && played <= quarterSecondFrames + 2 * buffer + 64,
                 qPrintable(QString::number(played)));
    }

    void requestReplacedBeforeItWasTakenNeverPlays()
    {
        Harness h;
        QVERIFY(h.waitUntilLoaded());
        h.music.play(1, midibytes::chord(quarterSecondTicks));
        h.music.play(2, midibytes::chord(quarterSecondTicks));
        h.render(2.0);
        QCOMPARE(h.notices.size(), 1);
        QCOMPARE(h.notices.at(0).play, FluidMusic::PlayId(2));

        h.music.play(3, midibytes::chord(quarterSecondTicks));
        h.music.stop();
        QCOMPARE(h.render(2.0), 0);
        QCOMPARE(h.notices.size(), 1);
    }

    void unplayableFilesAreSilentAndNeverEnd_data()
    {
        QTest::addColumn<QByteArray>("midi");
        const QByteArray good = midibytes::chord(quarterSecondTicks);
        QTest::newRow("nothing") << QByteArray();
        QTest::newRow("header tag only") << QByteArray("MThd");
        QTest::newRow("cut off in the track") << good.first(good.size() - 9);
        QTest::newRow("header and then garbage") << QByteArray("MThd") + QByteArray(300, '\x9C');
        QTest::newRow("not a MIDI file") << QByteArray("RIFF\x10\x00\x00\x00WAVEfmt and so on", 24);
        QTest::newRow("well formed but empty") << midibytes::emptySong();
    }

    void unplayableFilesAreSilentAndNeverEnd()
    {
        QFETCH(QByteArray, midi);
        Harness h;
        QVERIFY(h.waitUntilLoaded());
        h.music.play(5, midi);
        QCOMPARE(h.render(2.0), 0);
        QVERIFY(h.notices.isEmpty());

        // and the synthesiser is none the worse for it
        h.music.play(6, midibytes::chord(quarterSecondTicks));
        QVERIFY(h.render(1.0) > 1000);
        QCOMPARE(h.notices.size(), 1);
        QCOMPARE(h.notices.at(0).play, FluidMusic::PlayId(6));
    }

    void withoutSoundFontTheMusicIsSilentlyAbsent_data()
    {
        QTest::addColumn<QString>("soundFont");
        QTest::newRow("no path") << QString();
        QTest::newRow("missing file") << QStringLiteral("/nonexistent/brummo/none.sf2");
        QTest::newRow("not a SoundFont") << QFINDTESTDATA("midibytes.h");
    }

    void withoutSoundFontTheMusicIsSilentlyAbsent()
    {
        QFETCH(QString, soundFont);
        Harness h(soundFont);
        QVERIFY(h.waitUntilLoaded());
        QCOMPARE(h.music.state(), FluidMusic::State::Failed);
        h.music.play(1, midibytes::chord(quarterSecondTicks));
        QCOMPARE(h.render(1.0), 0);
        h.music.stop();
        QCOMPARE(h.render(0.1), 0);
        QVERIFY(h.notices.isEmpty());
    }

    void destroyedWhilePlaying()
    {
        // LeakSanitizer checks that the player, the synthesiser and a pending request all go.
        auto h = std::make_unique<Harness>();
        QVERIFY(h->waitUntilLoaded());
        h->music.play(1, midibytes::chord(4 * midibytes::division));
        QVERIFY(h->render(0.2) > 1000);
        h->music.play(2, midibytes::chord(quarterSecondTicks));
        h.reset();
    }
};

QTEST_GUILESS_MAIN(TestFluidMusic)
#include "test_fluidmusic.moc"
