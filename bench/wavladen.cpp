// Throughput of WavLaden on a 50 MB wave file, against reading the same file into a fresh buffer
// with plain read() calls. The file sits in the page cache for both, so what is compared is the
// work done on top of the kernel's copy.

#include "sound/apis.h"
#include "tests/support/fakedialogs.h"
#include "tests/support/fakeplatform.h"
#include "tests/support/recordingaudio.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <random>
#include <cstring>

namespace {

constexpr qsizetype fileBytes = 50 * 1024 * 1024;

struct BigWave {
    BigWave()
    {
        folders.program = folder.path();
        QByteArray image(fileBytes, Qt::Uninitialized);
        std::mt19937 random(7);
        for (char &byte : image)
            byte = static_cast<char>('!' + random() % 90);  // never a blank: nothing to trim
        std::memcpy(image.data(), "RIFF\0\0\0\0WAVE", 12);
        QFile file(path());
        if (!file.open(QIODevice::WriteOnly) || file.write(image) != image.size())
            qFatal("cannot write %s", qPrintable(path()));
    }
    QString path() const { return folder.filePath(QStringLiteral("big.wav")); }

    QTemporaryDir folder;
    FakeFolders folders;
};

BigWave &bigWave()
{
    static BigWave wave;
    return wave;
}

void WavLaden(benchmark::State &state)
{
    BigWave &wave = bigWave();
    RecordingAudio audio;
    FakeDialogs dialogs;
    Apis sound(audio, dialogs, wave.folders);
    for (auto _ : state) {
        const QByteArray image = sound.WavLaden(QStringLiteral("big.wav")).image;
        if (image.size() != fileBytes)
            state.SkipWithError("WavLaden returned the wrong size");
        benchmark::DoNotOptimize(image.constData());
    }
    state.SetBytesProcessed(state.iterations() * fileBytes);
}

void plainRead(benchmark::State &state)
{
    const QByteArray path = QFile::encodeName(bigWave().path());
    for (auto _ : state) {
        const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
        struct stat info{};
        ::fstat(fd, &info);
        const auto size = static_cast<std::size_t>(info.st_size);
        std::unique_ptr<char[]> buffer(new char[size]);
        std::size_t done = 0;
        while (done < size) {
            const ssize_t n = ::read(fd, buffer.get() + done, size - done);
            if (n <= 0)
                break;
            done += static_cast<std::size_t>(n);
        }
        ::close(fd);
        if (done != size)
            state.SkipWithError("short read");
        benchmark::DoNotOptimize(buffer.get());
    }
    state.SetBytesProcessed(state.iterations() * fileBytes);
}

// WavLaden without its trimming: the share of the time that is QFile's reading. The rest is what
// trimming costs, which on a file with nothing to trim should be nothing.
void qfileReadAll(benchmark::State &state)
{
    const QString path = bigWave().path();
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            state.SkipWithError("cannot open");
        QByteArray image = file.readAll();
        if (image.size() != fileBytes)
            state.SkipWithError("short read");
        benchmark::DoNotOptimize(image.constData());
    }
    state.SetBytesProcessed(state.iterations() * fileBytes);
}

} // namespace

BENCHMARK(WavLaden)->Unit(benchmark::kMillisecond)->MinTime(2.0)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(plainRead)->Unit(benchmark::kMillisecond)->MinTime(2.0)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(qfileReadAll)->Unit(benchmark::kMillisecond)->MinTime(2.0)->Repetitions(5)->ReportAggregatesOnly(true);

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
