#include "tests/support/recordingaudio.h"

AudioBackend::PlayId RecordingAudio::playMusic(const QString &path)
{
    events.append(QStringLiteral("play ") + path);
    musicPlaying = true;
    return ++lastPlay;
}

void RecordingAudio::stopMusic()
{
    events.append(QStringLiteral("stop"));
    musicPlaying = false;
}

void RecordingAudio::setMusicEndedHandler(MusicEndedHandler newHandler)
{
    handler = std::move(newHandler);
    if (handler) {
        ++handlerInstalls;
        lastHandler = handler;
    }
    events.append(handler ? QStringLiteral("handler on") : QStringLiteral("handler off"));
}

void RecordingAudio::prepareWave(const QByteArray &image)
{
    ++preparations;
    prepared = image;
}

void RecordingAudio::playWave(const QByteArray &image)
{
    events.append(QStringLiteral("wave %1").arg(image.size()));
    waves.append(image);
}

void RecordingAudio::stopWave()
{
    events.append(QStringLiteral("wave stop"));
}

void RecordingAudio::finishMusic(PlayId play)
{
    if (play == lastPlay)
        musicPlaying = false;
    if (handler)
        handler(play);
}

int RecordingAudio::count(const QString &prefix) const
{
    int n = 0;
    for (const QString &event : events)
        n += event.startsWith(prefix) ? 1 : 0;
    return n;
}
