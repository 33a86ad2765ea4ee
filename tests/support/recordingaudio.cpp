#include "tests/support/recordingaudio.h"

#include <QTest>

#include <algorithm>
#include <memory>

namespace {

// The image a recording prepared, kept so that its play can say which it was.
struct RecordedWave final : AudioBackend::PreparedWave {
    explicit RecordedWave(const QByteArray &image) : image(image) {}
    const QByteArray image;
};

} // namespace

char *toString(const SoundEvent &event)
{
    switch (event.kind) {
    case SoundEvent::Kind::HandlerOn:
        return qstrdup("handler on");
    case SoundEvent::Kind::HandlerOff:
        return qstrdup("handler off");
    case SoundEvent::Kind::Play:
        return QTest::toString(QStringLiteral("play ") + event.path);
    case SoundEvent::Kind::Stop:
        return qstrdup("stop");
    case SoundEvent::Kind::Wave:
        return QTest::toString(QStringLiteral("wave of %1 bytes").arg(event.bytes));
    case SoundEvent::Kind::WaveStop:
        return qstrdup("wave stop");
    }
    return qstrdup("?");
}

AudioBackend::PlayId RecordingAudio::playMusic(const QString &path)
{
    events.append(SoundEvent::play(path));
    musicPlaying = true;
    return ++lastPlay;
}

void RecordingAudio::stopMusic()
{
    events.append(SoundEvent::stop());
    musicPlaying = false;
}

void RecordingAudio::setMusicEndedHandler(MusicEndedHandler newHandler)
{
    handler = std::move(newHandler);
    events.append(handler ? SoundEvent::handlerOn() : SoundEvent::handlerOff());
}

AudioBackend::Wave RecordingAudio::prepareWave(const QByteArray &image)
{
    ++preparations;
    prepared = image;
    return refuseWaves ? nullptr : std::make_shared<const RecordedWave>(image);
}

void RecordingAudio::playWave(const Wave &wave)
{
    const auto *recorded = static_cast<const RecordedWave *>(wave.get());
    events.append(SoundEvent::wave(recorded ? recorded->image.size() : -1));
    if (recorded)
        waves.append(recorded->image);
}

void RecordingAudio::stopWave()
{
    events.append(SoundEvent::waveStop());
}

void RecordingAudio::finishMusic(PlayId play)
{
    if (play != lastPlay || !musicPlaying)
        return;
    musicPlaying = false;
    if (handler) {
        // A copy: the handler may switch itself off.
        const MusicEndedHandler answer = handler;
        answer(play);
    }
}

int RecordingAudio::count(SoundEvent::Kind kind) const
{
    return static_cast<int>(std::count_if(events.begin(), events.end(),
                                          [kind](const SoundEvent &event) { return event.kind == kind; }));
}
