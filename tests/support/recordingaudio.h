#pragma once

#include "sound/audiobackend.h"

#include <QList>
#include <QStringList>

// Records what would have been played; a test ends a play with finishMusic().
class RecordingAudio final : public AudioBackend {
public:
    PlayId playMusic(const QString &path) override;
    void stopMusic() override;
    void setMusicEndedHandler(MusicEndedHandler handler) override;
    void prepareWave(const QByteArray &image) override;
    void playWave(const QByteArray &image) override;
    void stopWave() override;

    // Delivers the end notice of a play, as the device would once it reached the end of the file.
    void finishMusic(PlayId play);

    QStringList events;              // "play <path>", "stop", "handler on", "handler off", "wave <n bytes>", "wave stop"
    QList<QByteArray> waves;         // every image handed over, in order
    int preparations = 0;            // images prepared; the last one kept:
    QByteArray prepared;
    int handlerInstalls = 0;
    MusicEndedHandler lastHandler;   // kept when the handler is switched off
    PlayId lastPlay = 0;
    bool musicPlaying = false;

    int count(const QString &prefix) const;

private:
    MusicEndedHandler handler;
};
