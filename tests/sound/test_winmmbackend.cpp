// The Windows sound device's logic against a fake of Windows' multimedia calls: the MCI commands
// for the music in their order, which notice starts it over, and how long a wave's image lives
// while Windows reads it. The window's thread takes its messages only where a test says so.

#include "sound/memorywave.h"
#include "sound/musicfile.h"
#include "sound/winmmaudiobackend.h"
#include "tests/sound/fakewinmm.h"
#include "tests/support/midibytes.h"
#include "tests/support/virtualclock.h"
#include "tests/support/wavebytes.h"

#include <QtTest>

#include <functional>
#include <map>
#include <memory>
#include <optional>

namespace {

// The music files a test plays, by what they are.
enum class Song { Kol, WithBlanks, Missing, Folder, TooLarge, NotMidi };

struct Fixture {
    explicit Fixture(const QMap<Song, QString> &songs) : songs(songs)
    {
        device->setMusicEndedHandler([this](AudioBackend::PlayId play) {
            ended.append(play);
            // As the game does: the end starts the same song over.
            device->playMusic(songPlaying);
        });
        winmm.onPlaySound = [this](const char *image, unsigned flags) {
            sounds.append(QStringLiteral("%1, flags %2, alive: %3").arg(nameOf(image)).arg(flags).arg(alive()));
        };
    }

    QString nameOf(const char *image) const
    {
        for (const auto &[name, bytes] : images) {
            if (bytes.constData() == image)
                return name;
        }
        return image ? QStringLiteral("?") : QStringLiteral("none");
    }

    // The waves prepared so far that are still alive, by name.
    QString alive() const
    {
        QStringList names;
        for (const auto &[name, wave] : watched) {
            if (!wave.expired())
                names.append(name);
        }
        return names.join(u' ');
    }

    const QMap<Song, QString> &songs;
    VirtualClock clock;
    FakeWinmm winmm;
    QString songPlaying;
    QList<AudioBackend::PlayId> ended;
    // The waves: their images, the game's hold on what the device prepared, and a watch on it.
    std::map<QString, QByteArray> images;
    std::map<QString, AudioBackend::Wave> held;
    std::map<QString, std::weak_ptr<const AudioBackend::PreparedWave>> watched;
    QStringList sounds;   // each sndPlaySound, and what was alive while it was made
    // Last, so that it goes first: its last calls are still heard.
    std::optional<WinmmAudioBackend> device{std::in_place, winmm, clock};
};

using Step = std::function<void(Fixture &)>;

Step start(Song song = Song::Kol)
{
    return [song](Fixture &f) {
        f.songPlaying = f.songs.value(song);
        f.device->playMusic(f.songPlaying);
    };
}
void stop(Fixture &f) { f.device->stopMusic(); }
// The play reaches the end of its file.
void end(Fixture &f) { f.winmm.endPlay(); }
// The play is over otherwise: with this status.
Step overAs(unsigned long status)
{
    return [status](Fixture &f) { f.winmm.endPlay(status); };
}
// The window's thread takes its messages.
void deliver(Fixture &f) { f.winmm.deliver(*f.device); }
Step wait(int milliseconds)
{
    return [milliseconds](Fixture &f) { f.clock.advance(milliseconds); };
}
void destroy(Fixture &f) { f.device.reset(); }

QByteArray waveImage(int samples) { return wavebytes::pcm(8000, 1, 8, wavebytes::loud(samples)); }

// The game loads a wave, and holds what the device prepared of it.
Step load(const QString &name, const QByteArray &image)
{
    return [name, image](Fixture &f) {
        f.images[name] = image;
        f.held[name] = f.device->prepareWave(image);
        f.watched[name] = f.held[name];
    };
}
Step play(const QString &name)
{
    return [name](Fixture &f) { f.device->playWave(f.held[name]); };
}
// The game lets go of a wave, as a new load replaces WavDaten.
Step forget(const QString &name)
{
    return [name](Fixture &f) {
        f.held.erase(name);
        f.sounds.append(QStringLiteral("forgot %1, alive: %2").arg(name, f.alive()));
    };
}
void stopWave(Fixture &f) { f.device->stopWave(); }
// What is alive once the calls are over.
void look(Fixture &f) { f.sounds.append(QStringLiteral("alive: %1").arg(f.alive())); }

QString openCommand(const QString &path)
{
    return QStringLiteral("open \"%1\" type sequencer alias Musik").arg(QDir::toNativeSeparators(path));
}

} // namespace

Q_DECLARE_METATYPE(QList<Step>)

class TestWinmmBackend : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        const auto write = [this](Song song, const QString &name, const QByteArray &content) {
            songs[song] = dir.filePath(name);
            QFile file(songs[song]);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
        };
        write(Song::Kol, QStringLiteral("kol.mid"), midibytes::chord(2 * midibytes::division));
        // Split at its blanks, the name would open nothing.
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("Bär und Öl")));
        write(Song::WithBlanks, QStringLiteral("Bär und Öl/Lied mit Lücke.mid"), midibytes::chord(960));
        songs[Song::Missing] = dir.filePath(QStringLiteral("nicht da.mid"));
        songs[Song::Folder] = dir.filePath(QStringLiteral("Bär und Öl"));
        write(Song::TooLarge, QStringLiteral("groß.mid"),
              midibytes::chord(960).leftJustified(largestMusicFile + 1, '\0'));
        write(Song::NotMidi, QStringLiteral("kein.mid"), QByteArray("RIFF\0\0\0\0WAVE", 12));
    }

    void music_data()
    {
        QTest::addColumn<QList<Step>>("steps");
        QTest::addColumn<unsigned long>("cutOffStatus");
        QTest::addColumn<QStringList>("commands");   // and fences, in the order made
        QTest::addColumn<QList<AudioBackend::PlayId>>("ended");
        const QString close = QStringLiteral("close Musik");
        const QString playNotify = QStringLiteral("play Musik notify");
        const auto fence = [](int id) { return QStringLiteral("fence %1").arg(id); };
        const auto starts = [&](int id) { return QStringList{close, fence(id), openCommand(songs[Song::Kol]), playNotify}; };
        const unsigned long aborted = winmm::notifyAborted;
        const unsigned long successful = winmm::notifySuccessful;
        const auto row = [](const char *tag, const QList<Step> &steps, unsigned long cutOff, const QStringList &commands,
                            const QList<AudioBackend::PlayId> &ended) {
            QTest::newRow(tag) << steps << cutOff << commands << ended;
        };
        const Step minute = wait(60000);

        row("the first start: close, fence, open with the path in quotes, play with notice", {start()}, aborted,
            starts(1), {});
        row("a folder with blanks and umlauts", {start(Song::WithBlanks)}, aborted,
            {close, fence(1), openCommand(songs[Song::WithBlanks]), playNotify}, {});
        row("each end starts it over, once", {start(), minute, end, deliver, minute, end, deliver}, aborted,
            starts(1) + starts(2) + starts(3), {1, 2});
        row("nothing starts over before the window's thread takes the notice", {start(), minute, end}, aborted,
            starts(1), {});
        row("a start during play: the notice of the play cut off starts nothing, the newer one's end does",
            {start(), minute, start(), deliver, minute, end, deliver}, aborted, starts(1) + starts(2) + starts(3), {2});
        row("the same where the play cut off is said to be successful",
            {start(), minute, start(), deliver, minute, end, deliver}, successful, starts(1) + starts(2) + starts(3), {2});
        row("an end still queued when a new start came: stale, it starts nothing",
            {start(), minute, end, start(), deliver, minute, end, deliver}, aborted, starts(1) + starts(2) + starts(3),
            {2});
        row("a stop: the notice it cuts off starts nothing, nor does an end queued before it",
            {start(), minute, end, stop, start(), minute, stop, deliver}, successful,
            starts(1) + QStringList{close} + starts(2) + QStringList{close}, {});
        // The running play's own notice, after its fence, says how it ended: only at its end does it
        // start over.
        row("a play that failed starts nothing", {start(), minute, overAs(winmm::notifyFailure), deliver}, aborted,
            starts(1), {});
        row("a play aborted from elsewhere starts nothing", {start(), minute, overAs(aborted), deliver}, aborted,
            starts(1), {});
        row("a play superseded starts nothing", {start(), minute, overAs(winmm::notifySuperseded), deliver}, aborted,
            starts(1), {});
        row("a stop alone: one close", {stop, deliver}, aborted, {close}, {});
        row("ended within its first second, it starts over when that second is over",
            {start(), wait(300), end, deliver, wait(699), deliver}, aborted, starts(1), {});
        row("... and then at once", {start(), wait(300), end, deliver, wait(700)}, aborted, starts(1) + starts(2), {1});
        row("... unless stopped before", {start(), wait(300), end, deliver, stop, wait(700)}, aborted,
            starts(1) + QStringList{close}, {});
        row("... or started anew", {start(), wait(300), end, deliver, start(), wait(1000), deliver}, aborted,
            starts(1) + starts(2), {});
        // A file the game would not read on any system does not reach MCI, which would read it on
        // the window's thread.
        row("a missing file: nothing opened", {start(Song::Missing)}, aborted, {close, fence(1)}, {});
        row("a folder by the file's name", {start(Song::Folder)}, aborted, {close, fence(1)}, {});
        row("a file larger than the bound", {start(Song::TooLarge)}, aborted, {close, fence(1)}, {});
        row("a file that is no MIDI file", {start(Song::NotMidi)}, aborted, {close, fence(1)}, {});
        row("going, it closes the music", {start(), destroy}, aborted, starts(1) + QStringList{close}, {});
    }

    void music()
    {
        QFETCH(QList<Step>, steps);
        QFETCH(unsigned long, cutOffStatus);
        QFETCH(QStringList, commands);
        QFETCH(QList<AudioBackend::PlayId>, ended);
        Fixture f(songs);
        f.winmm.cutOffStatus = cutOffStatus;
        for (const Step &step : steps)
            step(f);
        QCOMPARE(f.winmm.log, commands);
        QCOMPARE(f.ended, ended);
    }

    void waves_data()
    {
        QTest::addColumn<QList<Step>>("steps");
        QTest::addColumn<QStringList>("sounds");
        const QString flags = QString::number(winmm::sndAsync | winmm::sndMemory | winmm::sndNoDefault);
        const auto sound = [&](const QString &name, const QString &alive) {
            return QStringLiteral("%1, flags %2, alive: %3").arg(name, flags, alive);
        };
        // A stop: no image, and no flag that would say what one is.
        const auto silence = [](const QString &alive) { return QStringLiteral("none, flags 0, alive: %1").arg(alive); };
        const auto row = [](const char *tag, const QList<Step> &steps, const QStringList &sounds) {
            QTest::newRow(tag) << steps << sounds;
        };
        const QByteArray a = waveImage(800);
        const QByteArray b = waveImage(1600);

        row("played from its own bytes, asynchronously, from memory, with no default sound",
            {load("a", a), play("a")}, {sound("a", "a")});
        row("kept while it sounds, let go after the call that cuts it off",
            {load("a", a), play("a"), forget("a"), load("b", b), play("b"), forget("b"), stopWave, look},
            {sound("a", "a"), "forgot a, alive: a", sound("b", "a b"), "forgot b, alive: b", silence("b"),
             "alive: "});
        row("played again, the same wave stays", {load("a", a), play("a"), play("a"), forget("a")},
            {sound("a", "a"), sound("a", "a"), "forgot a, alive: a"});
        row("one the device refused: it stops what sounds", {load("a", a), play("a"), forget("a"),
                                                             load("kaputt", a.first(a.size() - 1)), play("kaputt")},
            {sound("a", "a"), "forgot a, alive: a", silence("a")});
        row("going, it stops the wave first", {load("a", a), play("a"), forget("a"), destroy, look},
            {sound("a", "a"), "forgot a, alive: a", silence("a"), "alive: "});
    }

    void waves()
    {
        QFETCH(QList<Step>, steps);
        QFETCH(QStringList, sounds);
        Fixture f(songs);
        for (const Step &step : steps)
            step(f);
        QCOMPARE(f.sounds, sounds);
    }

    // What Windows would read of an image, by its header alone, lies inside it.
    void wavesWindowsReadsWithinTheirImage_data()
    {
        using namespace wavebytes;
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<bool>("playable");
        const auto row = [](const char *tag, const QByteArray &image, bool playable) {
            QTest::newRow(tag) << image << playable;
        };
        const QByteArray fmt = format(8000, 1, 8);
        const QByteArray sound = loud(800);
        // The "fmt " chunk with one field changed, at its offset after the chunk's header.
        const auto fmtWith = [&](int at, std::uint32_t value, int bytes) {
            return QByteArray(fmt).replace(8 + at, bytes, littleEndian(value, bytes));
        };
        row("a wave", pcm(8000, 1, 8, sound), true);
        row("four bytes of sound: twelve bytes at the sound's header looked at, all inside", pcm(8000, 1, 8, loud(4)),
            true);
        row("no sound: Windows would look at four bytes past the end", pcm(8000, 1, 8, {}), false);
        row("a sound that says more than the image holds, as the trimming of blanks leaves it",
            file(fmt, 800, sound.first(799)), false);
        row("a chunk before the format that runs past the end",
            "RIFF" + littleEndian(0, 4) + "WAVE" + "LIST" + littleEndian(100000, 4) + fmt + "data"
                + littleEndian(800, 4) + sound,
            false);
        row("an odd chunk before the format, padded to even length",
            file("LIST" + littleEndian(3, 4) + QByteArray("abc\0", 4) + fmt, 800, sound), true);
        row("the sound before the format", "RIFF" + littleEndian(0, 4) + "WAVE" + "data" + littleEndian(800, 4) + sound
                                               + fmt, false);
        row("no format", "RIFF" + littleEndian(0, 4) + "WAVE" + "data" + littleEndian(800, 4) + sound, false);
        row("a format of 14 bytes", file(fmt.first(8 + 14).replace(4, 4, littleEndian(14, 4)), 800, sound), false);
        row("a format longer than the image", file(fmt.first(4) + littleEndian(1000000, 4) + fmt.sliced(8), 800, sound),
            false);
        row("a format of odd length", file(fmt.first(4) + littleEndian(17, 4) + fmt.sliced(8) + QByteArray(2, '\0'), 800,
                                           sound), false);
        row("no channels", file(fmtWith(2, 0, 2), 800, sound), false);
        row("no rate", file(fmtWith(4, 0, 4), 800, sound), false);
        row("no bytes a second", file(fmtWith(8, 0, 4), 800, sound), false);
        row("no block size", file(fmtWith(12, 0, 2), 800, sound), false);
        row("shorter than a RIFF header", pcm(8000, 1, 8, sound).first(11), false);
        row("a RIFF file of another kind", pcm(8000, 1, 8, sound).replace(8, 4, "AVI "), false);
        // The bounds the game sets on every device.
        row("three minutes", pcm(10, 1, 8, loud(1800)), true);
        row("longer than three minutes", pcm(10, 1, 8, loud(1801)), false);
    }

    void wavesWindowsReadsWithinTheirImage()
    {
        QFETCH(QByteArray, image);
        QFETCH(bool, playable);
        const std::shared_ptr<const MemoryWave> wave = MemoryWave::of(image);
        QCOMPARE(bool(wave), playable);
        // Played from the image itself, not from a copy made for every play.
        if (wave)
            QCOMPARE(wave->bytes(), image.constData());
    }

private:
    QTemporaryDir dir;
    QMap<Song, QString> songs;
};

QTEST_GUILESS_MAIN(TestWinmmBackend)
#include "test_winmmbackend.moc"
