#pragma once

#include "sound/audiobackend.h"

#include <QList>
#include <QMetaType>

// One thing the game asked of its sound device.
struct SoundEvent {
    enum class Kind { HandlerOn, HandlerOff, Play, Stop, Wave, WaveStop };

    static SoundEvent handlerOn() { return {.kind = Kind::HandlerOn}; }
    static SoundEvent handlerOff() { return {.kind = Kind::HandlerOff}; }
    static SoundEvent play(const QString &path) { return {.kind = Kind::Play, .path = path}; }
    static SoundEvent stop() { return {.kind = Kind::Stop}; }
    // A wave played, by the size of the image prepared; -1 for one the device refused to prepare.
    static SoundEvent wave(qsizetype bytes) { return {.kind = Kind::Wave, .bytes = bytes}; }
    static SoundEvent waveStop() { return {.kind = Kind::WaveStop}; }

    Kind kind = Kind::Stop;
    QString path{};        // of the music played
    qsizetype bytes = 0;   // of the wave played
    bool operator==(const SoundEvent &) const = default;
};

Q_DECLARE_METATYPE(SoundEvent)

// How a failed comparison shows it.
char *toString(const SoundEvent &event);

// Records what would have been played; a test ends a play with finishMusic(). It prepares every
// wave, unless told to refuse them as a device refuses what it cannot play.
class RecordingAudio final : public AudioBackend {
public:
    PlayId playMusic(const QString &path) override;
    void stopMusic() override;
    void setMusicEndedHandler(MusicEndedHandler handler) override;
    Wave prepareWave(const QByteArray &image) override;
    void playWave(const Wave &wave) override;
    void stopWave() override;

    // The end notice of a play, as a device sends it once the play reached the end of its file:
    // only for the play started last, and not once it was stopped.
    void finishMusic(PlayId play);

    int count(SoundEvent::Kind kind) const;

    QList<SoundEvent> events;
    QList<QByteArray> waves;      // every image played, in order
    int preparations = 0;         // images prepared; the last one kept:
    QByteArray prepared;
    bool refuseWaves = false;
    PlayId lastPlay = 0;
    bool musicPlaying = false;

private:
    MusicEndedHandler handler;
};
