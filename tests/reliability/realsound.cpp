#include "tests/reliability/realsound.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// Only a stuck audio thread ever needs this long.
constexpr int patience = 60000;

} // namespace

QString gameAssetPath(const QString &name)
{
    return qEnvironmentVariable("BRUMMO_SOURCE_DIR") + QStringLiteral("/assets/") + name;
}

QByteArray gameAsset(const QString &name)
{
    QFile file(gameAssetPath(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("assets/%s not found through BRUMMO_SOURCE_DIR", qPrintable(name));
    return file.readAll();
}

MixMeter::MixMeter()
{
    Mix_SetPostMix(&MixMeter::listen, this);
}

MixMeter::~MixMeter()
{
    Mix_SetPostMix(nullptr, nullptr);
}

void MixMeter::listen(void *meter, unsigned char *stream, int bytes)
{
    // The backend opens the device for 16-bit samples and allows SDL no other format.
    auto *self = static_cast<MixMeter *>(meter);
    int loudest = 0;
    for (int i = 0; i + 1 < bytes; i += 2) {
        std::int16_t sample;
        std::memcpy(&sample, stream + i, 2);
        loudest = std::max(loudest, std::abs(static_cast<int>(sample)));
    }
    const long long buffer = self->buffers.load(std::memory_order_relaxed);
    self->peaks[static_cast<std::size_t>(buffer % kept)].store(loudest, std::memory_order_relaxed);
    self->buffers.store(buffer + 1, std::memory_order_release);
}

bool MixMeter::waitUntil(long long mixed, bool runEvents)
{
    QElapsedTimer clock;
    clock.start();
    while (buffers.load(std::memory_order_acquire) < mixed) {
        if (clock.elapsed() > patience)
            return false;
        if (runEvents)
            QCoreApplication::processEvents();
        QThread::usleep(500);
    }
    return true;
}

int MixMeter::loudestOver(int count)
{
    // The buffer being mixed at the call may still hold what played before it.
    const long long first = buffers.load(std::memory_order_acquire) + 1;
    if (!waitUntil(first + count, true))
        return -1;
    int loudest = 0;
    for (long long buffer = first; buffer < first + count; ++buffer)
        loudest = std::max(loudest, peaks[static_cast<std::size_t>(buffer % kept)].load(std::memory_order_relaxed));
    return buffers.load(std::memory_order_acquire) - first < kept ? loudest : -1;
}

RealSound::RealSound(const QString &soundFont)
    : soundFontPresent(QFileInfo(soundFont).isFile()), device(deviceClock, soundFont)
{
}

RealSoundGame::RealSoundGame(const QString &soundFont)
    : RealSound(soundFont), GameFixture(audio)
{
    // In place of the fixture's stand-ins, which only a recorder would take.
    for (const char *name : {"kol.mid", "crap.wav", "deadnow.wav"})
        writeFile(programFile(QString::fromLatin1(name)), gameAsset(QString::fromLatin1(name)));
}

bool RealSoundGame::waitForMusic()
{
    if (!soundFontPresent)
        return false;
    return QTest::qWaitFor([this] { return device.musicReady(); }, patience);
}

