#include "tests/reliability/realsound.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <QThread>

#include <SDL_mixer.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// Only a stuck audio thread ever needs this long.
constexpr int patience = 60000;

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

} // namespace

QByteArray gameAsset(const QString &name)
{
    QFile file(qEnvironmentVariable("BRUMMO_SOURCE_DIR") + QStringLiteral("/assets/") + name);
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
    int before = self->peak.load(std::memory_order_relaxed);
    while (loudest > before && !self->peak.compare_exchange_weak(before, loudest, std::memory_order_relaxed)) {
    }
    self->buffers.fetch_add(1, std::memory_order_release);
}

bool MixMeter::waitForBuffers(int count)
{
    const long long until = buffers.load(std::memory_order_acquire) + count;
    QElapsedTimer clock;
    clock.start();
    while (buffers.load(std::memory_order_acquire) < until) {
        if (clock.elapsed() > patience)
            return false;
        QCoreApplication::processEvents();
        QThread::usleep(500);
    }
    return true;
}

int MixMeter::loudestOver(int count)
{
    // The buffer being mixed at the call may still hold what played before it.
    if (!waitForBuffers(1))
        return -1;
    peak.store(0, std::memory_order_relaxed);
    return waitForBuffers(count) ? peak.load(std::memory_order_relaxed) : -1;
}

AudioBackend::PlayId CountingAudio::playMusic(const QString &path)
{
    ++musicStarts;
    return device.playMusic(path);
}

void CountingAudio::playWave(const QByteArray &image)
{
    waveSizes.append(image.size());
    device.playWave(image);
}

RealSoundGame::RealSoundGame(const QString &soundFont)
    : soundFontPresent(QFileInfo(soundFont).isFile()), device(soundFont)
{
    folders.program = programFolder.path();
    folders.working = workingFolder.path();
    for (const char *name : {"kol.mid", "crap.wav", "deadnow.wav"})
        writeFile(programFile(QString::fromLatin1(name)), gameAsset(QString::fromLatin1(name)));
    reopenWindow();
}

RealSoundGame::~RealSoundGame()
{
    // The window goes before the sound it uses.
    window.reset();
}

void RealSoundGame::reopenWindow()
{
    window = std::make_unique<frmMain>(services);
}

QLabel *RealSoundGame::label(const char *name) const
{
    return window->controls().control<QLabel>(QString::fromLatin1(name));
}

bool RealSoundGame::waitForMusic()
{
    if (!soundFontPresent)
        return false;
    return QTest::qWaitFor([this] { return device.musicReady(); }, patience);
}

bool RealSoundGame::wavePlaying()
{
    return Mix_Playing(-1) > 0;
}

void RealSoundGame::scoreToWin()
{
    window->Punkte = 30;
    label("lblPunkte")->setText(QStringLiteral("30"));
}
