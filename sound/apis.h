#pragma once

#include "sound/audiobackend.h"

#include <QByteArray>
#include <QString>

#include <optional>

class Dialogs;
class Folders;

// The image without its leading and trailing blanks (0x20 only), as WavLaden hands it on.
QByteArray withoutSurroundingBlanks(QByteArray image);

// A wave as WavLaden hands it on: the file's image without its surrounding blanks, and the device's
// preparation of it, which WavAbspielen plays; nothing prepared for an image the device cannot play.
struct LoadedWave {
    QByteArray image;
    AudioBackend::Wave prepared;
};

// The game's sound: background music that starts over at its end, and wave sounds from memory.
// One object lives as long as the program; its members are the process-wide sound state.
class Apis {
public:
    Apis(AudioBackend &audio, Dialogs &dialogs, const Folders &folders);
    ~Apis();
    Apis(const Apis &) = delete;
    Apis &operator=(const Apis &) = delete;

    // Full path of the music file; the game sets it before every MusikStarten.
    QString MidiDatei;

    // The wave loaded last: none at all until the first load, then possibly an empty image.
    std::optional<LoadedWave> WavDaten;

    // True while a finished play of the music is to start it over.
    bool Umgeleitet() const { return umgeleitet; }

    // Plays MidiDatei from its beginning, whether or not it plays already.
    void MusikStarten();

    // Stops the music at once; it does not start over.
    void MusikStoppen();

    // Reads a wave file of the program folder whole, without leading and trailing blanks, and has
    // the device prepare it, so that WavAbspielen starts it at once. A wave whose header breaks a
    // bound of WaveShape is refused before anything decodes it. On failure, and when the device
    // cannot play a wave, it shows the error box and returns an empty image.
    LoadedWave WavLaden(const QString &name);

    // The game's own waves are a few hundred kilobytes. Far larger files are refused rather than
    // held in memory; the bound still leaves room for long recordings a player may put in.
    static constexpr qint64 largestWaveImage = qint64(128) << 20;

    // Plays WavDaten, cutting off the wave sound still playing; no image stops it.
    void WavAbspielen();

    // The program folder, ending in a separator.
    QString Programmordner() const;

private:
    LoadedWave prepared(QByteArray image);
    LoadedWave refused(const QString &reason);

    AudioBackend &audio;
    Dialogs &dialogs;
    const Folders &folders;
    bool umgeleitet = false;
};
