// Measures the gap at the seam where the game's music starts over.
//
// Plays the tune through SdlAudioBackend and the game's own restart logic (Apis), with SDL's disk
// driver paced like a real device, until the second pass has begun. Then it finds in the
// recording where pass 2 starts (by matching its opening against pass 1's) and reports how long
// after pass 1's last note-off that is.
//
//   musicgap [file.mid] [--keep recording.raw]

#include "platform/dialogs.h"
#include "platform/folders.h"
#include "platform/qttimers.h"
#include "sound/apis.h"
#include "sound/sdlaudiobackend.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <vector>

namespace {

constexpr double goalMs = 50.0;
constexpr int rate = SdlAudioBackend::sampleRate;

class NoDialogs final : public Dialogs {
public:
    void message(const QString &text, Icon, const QString &) override
    {
        std::fprintf(stderr, "%s\n", qPrintable(text));
    }
    QString input(const QString &, const QString &) override { return {}; }
};

class NoFolders final : public Folders {
public:
    QString programFolder() const override { return QCoreApplication::applicationDirPath(); }
    QString workingFolder() const override { return QCoreApplication::applicationDirPath(); }
};

// Passes everything on and notes when a play starts.
class WatchedAudio final : public AudioBackend {
public:
    explicit WatchedAudio(AudioBackend &real) : real(real) {}
    PlayId playMusic(const QString &path) override
    {
        ++plays;
        if (onPlay)
            onPlay(plays);
        return real.playMusic(path);
    }
    void stopMusic() override { real.stopMusic(); }
    void setMusicEndedHandler(MusicEndedHandler handler) override { real.setMusicEndedHandler(std::move(handler)); }
    Wave prepareWave(const QByteArray &image) override { return real.prepareWave(image); }
    void playWave(const Wave &wave) override { real.playWave(wave); }
    void stopWave() override { real.stopWave(); }

    std::function<void(int)> onPlay;
    int plays = 0;

private:
    AudioBackend &real;
};

// When the sequence's notes start and stop, in seconds, from a standard MIDI file.
struct Timing {
    double firstNoteOn = -1;
    double lastNoteOff = -1;
};

std::optional<Timing> readTiming(const QByteArray &file)
{
    auto u8 = [&](qsizetype at) { return static_cast<std::uint8_t>(file.at(at)); };
    auto be = [&](qsizetype at, int n) {
        std::uint32_t v = 0;
        for (int i = 0; i < n; ++i)
            v = (v << 8) | u8(at + i);
        return v;
    };
    if (file.size() < 14 || !file.startsWith("MThd"))
        return std::nullopt;
    const int tracks = static_cast<int>(be(10, 2));
    const int division = static_cast<int>(be(12, 2));
    if (division <= 0 || (division & 0x8000))
        return std::nullopt;

    std::map<long long, int> tempo{{0, 500000}};
    long long firstOn = -1, lastOff = -1;
    qsizetype at = 8 + static_cast<qsizetype>(be(4, 4));
    for (int t = 0; t < tracks; ++t) {
        if (at + 8 > file.size() || file.sliced(at, 4) != "MTrk")
            return std::nullopt;
        const qsizetype end = at + 8 + static_cast<qsizetype>(be(at + 4, 4));
        if (end > file.size())
            return std::nullopt;
        at += 8;
        long long tick = 0;
        std::uint8_t status = 0;
        auto vlq = [&] {
            std::uint32_t v = 0;
            while (at < end) {
                const std::uint8_t b = u8(at++);
                v = (v << 7) | (b & 0x7F);
                if (!(b & 0x80))
                    break;
            }
            return v;
        };
        while (at < end) {
            tick += vlq();
            if (u8(at) & 0x80)
                status = u8(at++);
            if (status == 0xFF) {
                const std::uint8_t type = u8(at++);
                const std::uint32_t length = vlq();
                if (type == 0x51 && length == 3)
                    tempo[tick] = static_cast<int>(be(at, 3));
                at += length;
            } else if (status == 0xF0 || status == 0xF7) {
                at += vlq();
            } else {
                const int kind = status & 0xF0;
                const int dataBytes = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
                const bool noteOn = kind == 0x90 && u8(at + 1) > 0;
                const bool noteOff = kind == 0x80 || (kind == 0x90 && u8(at + 1) == 0);
                if (noteOn && (firstOn < 0 || tick < firstOn))
                    firstOn = tick;
                if (noteOff)
                    lastOff = std::max(lastOff, tick);
                at += dataBytes;
            }
        }
        at = end;
    }
    auto seconds = [&](long long tick) {
        double s = 0;
        long long from = 0;
        int current = 500000;
        for (const auto &[change, value] : tempo) {
            if (change >= tick)
                break;
            s += double(change - from) * current / 1e6 / division;
            from = change;
            current = value;
        }
        return s + double(tick - from) * current / 1e6 / division;
    };
    if (firstOn < 0 || lastOff < 0)
        return std::nullopt;
    return Timing{seconds(firstOn), seconds(lastOff)};
}

std::vector<float> monoOf(const QByteArray &raw)
{
    std::vector<float> mono(static_cast<std::size_t>(raw.size() / 4));
    for (std::size_t i = 0; i < mono.size(); ++i) {
        std::int16_t lr[2];
        std::memcpy(lr, raw.constData() + 4 * i, 4);
        mono[i] = (lr[0] + lr[1]) / 65536.0f;
    }
    return mono;
}

double dbfs(double level)
{
    return level > 0 ? 20 * std::log10(level) : -INFINITY;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString keep;
    if (const qsizetype k = args.indexOf("--keep"); k >= 0 && k + 1 < args.size()) {
        keep = args.at(k + 1);
        args.remove(k, 2);
    }
    const QString midi = args.value(0, QStringLiteral(BRUMMO_SOURCE_DIR "/assets/kol.mid"));

    QFile midiFile(midi);
    if (!midiFile.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(midi));
        return 2;
    }
    const std::optional<Timing> timing = readTiming(midiFile.readAll());
    if (!timing) {
        std::fprintf(stderr, "%s is no MIDI file with notes\n", qPrintable(midi));
        return 2;
    }
    const double songSeconds = timing->lastNoteOff - timing->firstNoteOn;

    QTemporaryDir dir;
    const QString recording = keep.isEmpty() ? dir.filePath("musicgap.raw") : keep;
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(recording));
    // SDL_DISKAUDIODELAY stays unset: the driver then waits one buffer's time between buffers,
    // as a sound card would, so the window's thread has the time it has in the game.
    qunsetenv("SDL_DISKAUDIODELAY");

    std::printf("Playing %s (%.2f s from first note-on to last note-off) twice, in real time ...\n",
                qPrintable(midi), songSeconds);
    std::fflush(stdout);
    {
        QtTimerFactory timers;
        SdlAudioBackend backend(timers);
        WatchedAudio audio(backend);
        NoDialogs dialogs;
        NoFolders folders;
        Apis apis(audio, dialogs, folders);
        apis.MidiDatei = midi;
        audio.onPlay = [&](int play) {
            if (play == 2)
                QTimer::singleShot(2000, &app, [&] {
                    apis.MusikStoppen();
                    app.quit();
                });
        };
        QTimer::singleShot(static_cast<int>((2 * songSeconds + 30) * 1000), &app, [&] {
            std::fprintf(stderr, "the music did not start over\n");
            app.exit(1);
        });
        apis.MusikStarten();
        if (app.exec() != 0)
            return 1;
    }

    QFile file(recording);
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    const std::vector<float> mono = monoOf(file.readAll());
    const float audible = static_cast<float>(std::pow(10.0, -60.0 / 20));   // -60 dBFS

    const auto first = std::find_if(mono.begin(), mono.end(), [&](float s) { return std::abs(s) > audible; });
    if (first == mono.end()) {
        std::fprintf(stderr, "the recording is silent\n");
        return 1;
    }
    const long long start1 = first - mono.begin();
    const long long expected = start1 + std::llround(songSeconds * rate);
    const long long window = rate / 2;               // compare half a second of opening
    const long long searchFrom = expected - rate / 10;
    const long long searchTo = expected + rate * 3 / 10;
    if (searchTo + window > static_cast<long long>(mono.size())) {
        std::fprintf(stderr, "the recording ends too early\n");
        return 1;
    }

    double referenceEnergy = 0;
    for (long long i = 0; i < window; ++i)
        referenceEnergy += double(mono[start1 + i]) * mono[start1 + i];
    long long best = searchFrom;
    double bestScore = -2;
    for (long long lag = searchFrom; lag <= searchTo; ++lag) {
        double dot = 0, energy = 0;
        for (long long i = 0; i < window; ++i) {
            dot += double(mono[start1 + i]) * mono[lag + i];
            energy += double(mono[lag + i]) * mono[lag + i];
        }
        const double score = dot / std::sqrt(referenceEnergy * energy + 1e-30);
        if (score > bestScore) {
            bestScore = score;
            best = lag;
        }
    }

    long long longestQuiet = 0, run = 0;
    for (long long i = expected - rate; i < best + rate / 5; ++i) {
        run = std::abs(mono[i]) <= audible ? run + 1 : 0;
        longestQuiet = std::max(longestQuiet, run);
    }
    float peak = 0;
    double sum = 0;
    for (long long i = start1; i < expected; ++i) {
        peak = std::max(peak, std::abs(mono[i]));
        sum += double(mono[i]) * mono[i];
    }

    const double gapMs = (best - expected) * 1000.0 / rate;
    std::printf("pass 1 peak %.1f dBFS, RMS %.1f dBFS\n", dbfs(peak), dbfs(std::sqrt(sum / double(expected - start1))));
    std::printf("pass 2 found by matching its opening with pass 1's (correlation %.3f)\n", bestScore);
    std::printf("audible silence at the seam (under -60 dBFS): %.1f ms\n", longestQuiet * 1000.0 / rate);
    std::printf("music loop gap, last note-off of pass 1 to first note of pass 2: %.1f ms\n", gapMs);
    std::printf("goal: <= %.0f ms   ratio gap/goal: %.2f   %s\n", goalMs, gapMs / goalMs,
                gapMs <= goalMs ? "met" : "MISSED");
    return 0;
}
