// The music file read: the reader on what real files use, and the file read afresh at each play.
// Read at 960 frames a second, where a tick at the files' 480 a quarter and 120 beats a minute is
// one frame, so every frame below is a tick count.

#include "sound/musicfile.h"
#include "sound/midisequence.h"
#include "tests/support/midibytes.h"
#include "tests/support/gamefixture.h"

#include <QtTest>

#include <algorithm>
#include <filesystem>
#include <memory>

namespace {

constexpr int rate = 960;

struct Heard {
    long long frame;
    int status;
    int data1;
    int data2;
    bool operator==(const Heard &) const = default;
};

// What happens to the file between two plays: the changes a copy of the file kept from the first
// play could miss (the same size, the same time, a new file under the same name).
enum class Change { None, RewrittenInPlace, ReplacedByRenaming, JustWritten, Removed };

// Dates the file's last change.
void stamp(const QString &path, const QDateTime &modified)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(modified, QFileDevice::FileModificationTime));
}

char *toString(const Heard &e)
{
    return QTest::toString(QStringLiteral("%1: %2 %3 %4").arg(e.frame).arg(e.status, 0, 16).arg(e.data1).arg(e.data2));
}

QByteArray hex(const char *bytes)
{
    return QByteArray::fromHex(bytes);
}

} // namespace

class TestMidiFile : public QObject {
    Q_OBJECT

private slots:
    void readsWhatRealFilesUse_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QList<Heard>>("events");   // all of them, or the first ones
        QTest::addColumn<qsizetype>("count");
        QTest::addColumn<long long>("endFrame");
        const auto row = [](const char *tag, const QByteArray &file, const QList<Heard> &events, long long endFrame,
                            qsizetype count = -1) {
            QTest::newRow(tag) << file << events << (count < 0 ? events.size() : count) << endFrame;
        };
        using midibytes::file;
        using midibytes::track;
        const QByteArray noteOn = hex("00903c64");
        const QByteArray noteOff48 = hex("30803c00");   // 48 ticks later
        const QList<Heard> note48{{0, 0x90, 60, 100}, {48, 0x80, 60, 0}};

        row("running status", file(hex("00903c64" "103e64" "10803c00" "003e00")),
            {{0, 0x90, 60, 100}, {16, 0x90, 62, 100}, {32, 0x80, 60, 0}, {32, 0x80, 62, 0}}, 32);
        // Merged in time order; at the same tick the earlier track first.
        row("several tracks", file(2, 480, track(hex("00903c64" "20803c00")) + track(hex("00c105" "10914064" "20814000"))),
            {{0, 0x90, 60, 100}, {0, 0xC1, 5, 0}, {16, 0x91, 64, 100}, {32, 0x80, 60, 0}, {48, 0x81, 64, 0}}, 48);
        // From tick 96 on a quarter lasts a second: a tick is two frames.
        row("a tempo change", file(hex("00903c64" "60ff51030f4240" "60803c00")),
            {{0, 0x90, 60, 100}, {288, 0x80, 60, 0}}, 288);
        row("a tempo change in the conductor track", file(2, 480, track(hex("00ff51030f4240")) + track(noteOn + noteOff48)),
            {{0, 0x90, 60, 100}, {96, 0x80, 60, 0}}, 96);
        // 25 frames of 40 ticks a second: 1000 ticks are a second, whatever a tempo event says.
        row("SMPTE division", file(1, 0xE728, track(hex("00ff51030f4240" "00903c64" "8768803c00"))),
            {{0, 0x90, 60, 100}, {960, 0x80, 60, 0}}, 960);
        row("unknown chunks",
            file(1, 480, midibytes::chunk("XFIH", hex("0102030405")) + track(noteOn + noteOff48)
                             + midibytes::chunk("MTrx", hex("00903c64"))),
            note48, 48);
        // A quarter of no length would stop the clock: passed over, the tempo before stays.
        row("tempo 0 in the conductor track", file(2, 480, track(hex("00ff5103000000")) + track(noteOn + noteOff48)),
            note48, 48);
        row("tempo 0 among the notes", file(noteOn + hex("10ff5103000000" "20803c00" "00903e64" "30803e00")),
            {{0, 0x90, 60, 100}, {48, 0x80, 60, 0}, {48, 0x90, 62, 100}, {96, 0x80, 62, 0}}, 96);

        // Note-ons in running status, three bytes each, all at one instant. The cap counts every
        // event read, the note-off and the track's end included.
        const auto notesAtOnce = [&](std::size_t count) {
            QByteArray notes = noteOn;
            for (std::size_t n = 1; n < count; ++n)
                notes += hex("003c64");
            return file(notes + noteOff48);
        };
        row("as many events as the cap", notesAtOnce(MidiSequence::mostEvents - 2),
            {{0, 0x90, 60, 100}, {0, 0x90, 60, 100}}, 48, MidiSequence::mostEvents - 1);
        row("one event more than the cap", notesAtOnce(MidiSequence::mostEvents - 1), {}, 0);
    }

    void readsWhatRealFilesUse()
    {
        QFETCH(QByteArray, file);
        QFETCH(QList<Heard>, events);
        QFETCH(qsizetype, count);
        QFETCH(long long, endFrame);
        const MidiSequence sequence = MidiSequence::read(file, rate);
        QList<Heard> heard;
        for (const MidiSequence::Event &e : sequence.events)
            heard.append({e.frame, e.status, e.data1, e.data2});
        QCOMPARE(heard.size(), count);
        QCOMPARE(heard.first(std::min(count, events.size())), events);
        QCOMPARE(sequence.endFrame, endFrame);
    }

    // Each play reads the file as it is then.
    void eachPlayReadsTheFileAsItIsThen_data()
    {
        QTest::addColumn<Change>("change");
        QTest::newRow("unchanged") << Change::None;
        QTest::newRow("rewritten in place, same size and time") << Change::RewrittenInPlace;
        QTest::newRow("replaced by renaming, same size and time") << Change::ReplacedByRenaming;
        QTest::newRow("written just before the first play, rewritten within its second") << Change::JustWritten;
        QTest::newRow("removed") << Change::Removed;
    }

    void eachPlayReadsTheFileAsItIsThen()
    {
        QFETCH(Change, change);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("kol.mid"));
        const QByteArray quarter = midibytes::chord(240);
        const QByteArray half = midibytes::chord(480);
        QCOMPARE(half.size(), quarter.size());
        const QDateTime anHourAgo = QDateTime::currentDateTime().addSecs(-3600);
        writeFile(path, quarter);
        if (change != Change::JustWritten)
            stamp(path, anHourAgo);
        const std::shared_ptr<const MidiSequence> first = readMusicFile(path, rate);
        QVERIFY(first);
        QCOMPARE(first->endFrame, 240);

        if (change == Change::RewrittenInPlace) {
            writeFile(path, half);
            stamp(path, anHourAgo);
        } else if (change == Change::ReplacedByRenaming) {
            const QString other = dir.filePath(QStringLiteral("neu.mid"));
            writeFile(other, half);
            stamp(other, anHourAgo);
            // Over the file, as a save by renaming does it (also on Windows, where the C library's
            // rename refuses to replace a file).
            std::error_code error;
            std::filesystem::rename(other.toStdWString(), path.toStdWString(), error);
            QVERIFY2(!error, error.message().c_str());
        } else if (change == Change::JustWritten) {
            writeFile(path, half);
        } else if (change == Change::Removed) {
            QVERIFY(QFile::remove(path));
        }
        const std::shared_ptr<const MidiSequence> second = readMusicFile(path, rate);
        QCOMPARE(second ? second->endFrame : 0, change == Change::Removed ? 0 : change == Change::None ? 240 : 480);
    }
};

QTEST_GUILESS_MAIN(TestMidiFile)
#include "test_midifile.moc"
