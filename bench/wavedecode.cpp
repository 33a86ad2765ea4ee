// What preparing a wave costs the window's thread, for every encoding SDL reads, at the rates and
// lengths that cost most: the header check and the decode into the device's format
// (DecodedWave::decode, what WavLaden has the device do), in processor time and in memory beyond
// the image itself. Each case runs in a process of its own, so that its peak memory is its own.
//
//   wavedecode            every case
//   wavedecode WORD       the cases whose name holds WORD (MS-ADPCM, 44099, ...)

#include "sound/apis.h"
#include "sound/waveimage.h"
#include "tests/support/wavebytes.h"

#include <QByteArray>
#include <QFile>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

namespace {

using namespace wavebytes;

// Just under the three minutes the game plays at most, as its header counts them: it takes an
// ADPCM block's header for sound too.
constexpr double longest = 176;

struct Encoding {
    const char *name;
    int tag;    // the "fmt " chunk's encoding
    int bits;   // per sample in the file
};

constexpr Encoding encodings[] = {
    {"PCM 8-bit", 1, 8},   {"PCM 16-bit", 1, 16}, {"PCM 24-bit", 1, 24}, {"PCM 32-bit", 1, 32},
    {"float 32-bit", 3, 32}, {"A-law", 6, 8},     {"mu-law", 7, 8},      {"MS-ADPCM", 2, 4},
    {"IMA-ADPCM", 0x11, 4},
};

struct Case {
    Encoding encoding;
    int channels;
    std::uint32_t rate;
    double seconds;
    const char *why;
    bool badLastBlock = false;
};

std::string nameOf(const Case &c)
{
    char name[160];
    std::snprintf(name, sizeof name, "%-12s %d ch %8u Hz %5.1f s  %s", c.encoding.name, c.channels, c.rate, c.seconds,
                  c.why);
    return name;
}

// The wave file of a case: as many frames as its length at its rate, noise for sound.
QByteArray image(const Case &c)
{
    const qint64 frames = static_cast<qint64>(c.seconds * c.rate);
    if (c.encoding.bits == 4) {
        // 1024 bytes a channel in each block, as wavebytes::adpcm lays them out.
        const int headerBytes = c.channels * (c.encoding.tag == 2 ? 7 : 4);
        const qint64 perBlock = (1024 - headerBytes / c.channels) * 2 + (c.encoding.tag == 2 ? 2 : 1);
        QByteArray wave = adpcm(c.encoding.tag, c.rate, c.channels, (frames + perBlock - 1) / perBlock);
        if (c.badLastBlock)   // a predictor no coefficient pair stands for, found only at the end
            wave[wave.size() - 1024 * c.channels] = '\x7f';
        return wave;
    }
    QByteArray sound(frames * c.channels * c.encoding.bits / 8, '\0');
    for (qsizetype i = 0; i < sound.size(); ++i)
        sound[i] = static_cast<char>((i * 131) ^ (i >> 3));
    return file(format(c.rate, c.channels, c.encoding.bits, c.encoding.tag), static_cast<std::uint32_t>(sound.size()), sound);
}

// The highest rate at which a file of this encoding and channels still fits the largest image
// for the longest time.
std::uint32_t highestRate(const Encoding &encoding, int channels)
{
    return static_cast<std::uint32_t>((Apis::largestWaveImage - 4096) * 8 / encoding.bits / channels / longest * 0.99);
}

std::vector<Case> cases()
{
    std::vector<Case> all;
    for (const Encoding &e : encodings) {
        all.push_back({e, 2, 44100, longest, "the device's rate"});
        all.push_back({e, 2, 48000, longest, "a common rate, converted"});
        all.push_back({e, 1, 44099, longest, "just under the device's rate: the costliest conversion"});
        all.push_back({e, 1, 22049, longest, "just under half of it"});
        all.push_back({e, 1, highestRate(e, 1), longest, "the highest rate 128 MiB hold for 3 minutes"});
        all.push_back({e, 2, highestRate(e, 2), longest, "the same in stereo"});
        all.push_back({e, 1, 96000, 89, "mono at 96 kHz, just within the samples a wave may have"});
    }
    const Encoding pcm8 = encodings[0];
    const Encoding ms = encodings[7];
    const Encoding ima = encodings[8];
    all.push_back({pcm8, 1, 1, longest, "1 Hz: 180 bytes of sound"});
    all.push_back({pcm8, 1, 4000000, 10, "far above any sound card"});
    all.push_back({ima, 9, 44100, longest, "nine channels, more than SDL converts"});
    all.push_back({ima, 8, 44100, 47, "eight channels, just within the samples"});
    all.push_back({ms, 1, highestRate(ms, 1), longest, "its last block broken", true});
    all.push_back({ms, 1, 96000, 89, "its last block broken, within the samples", true});
    return all;
}

double threadSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + now.tv_nsec / 1e9;
}

// Forgets the peak so far: from now on the peak counts from what is resident now.
void resetPeakResident()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

qint64 resident(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(6).trimmed().split(' ').first().toLongLong() * 1024;
    }
    return 0;
}

void run(const Case &c)
{
    const QByteArray wave = image(c);
    resetPeakResident();
    const qint64 before = resident("VmRSS:");
    const auto wallStart = std::chrono::steady_clock::now();
    const double start = threadSeconds();
    const std::unique_ptr<DecodedWave> decoded = DecodedWave::decode(wave);
    const double processor = threadSeconds() - start;
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    const double beyond = double(resident("VmHWM:") - before) / 1e6;
    std::printf("%-90s %7.1f MB: %-8s %6.3f s (wall %6.3f s), %7.1f MB beyond the image\n", nameOf(c).c_str(),
                wave.size() / 1e6, decoded ? "decoded" : "refused", processor, wall, beyond);
}

} // namespace

int main(int argc, char **argv)
{
    std::printf("%-90s %10s  %s\n", "case", "file", "processor time of the window's thread, peak memory");
    for (const Case &c : cases()) {
        if (argc > 1 && nameOf(c).find(argv[1]) == std::string::npos)
            continue;
        std::fflush(stdout);
        const pid_t child = fork();
        if (child == 0) {
            run(c);
            std::fflush(stdout);
            _exit(0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
            std::printf("%-90s failed (status %d)\n", nameOf(c).c_str(), status);
    }
    return 0;
}
