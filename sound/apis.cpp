#include "sound/apis.h"

#include "platform/dialogs.h"
#include "platform/fileerrors.h"
#include "platform/folders.h"
#include "platform/localnames.h"
#include "platform/regularfile.h"
#include "sound/waveheader.h"

#include <QCoreApplication>
#include <QFile>

#include <utility>

QByteArray withoutSurroundingBlanks(QByteArray image)
{
    // Trimmed in place: a wave image can be many megabytes, and copying it out took longer than
    // reading the file. A wave file starts with "RIFF", so usually nothing moves at all.
    qsizetype end = image.size();
    while (end > 0 && image.at(end - 1) == ' ')
        --end;
    image.truncate(end);
    qsizetype first = 0;
    while (first < end && image.at(first) == ' ')
        ++first;
    if (first > 0)
        image.remove(0, first);
    return image;
}

Apis::Apis(AudioBackend &audio, Dialogs &dialogs, const Folders &folders)
    : audio(audio), dialogs(dialogs), folders(folders)
{
}

Apis::~Apis()
{
    // The backend may outlive us; its end notice must not reach a destroyed object.
    if (umgeleitet)
        audio.setMusicEndedHandler({});
}

QString Apis::Programmordner() const
{
    return withTrailingSeparator(folders.programFolder());
}

void Apis::MusikStarten()
{
    if (!umgeleitet) {
        // The device's end notice of the play started last takes the place of the completion
        // message; it never comes for a play that was cut off.
        audio.setMusicEndedHandler([this](AudioBackend::PlayId) { MusikStarten(); });
        umgeleitet = true;
    }
    audio.playMusic(MidiDatei);
}

void Apis::MusikStoppen()
{
    audio.stopMusic();
    if (umgeleitet) {
        audio.setMusicEndedHandler({});
        umgeleitet = false;
    }
}

LoadedWave Apis::prepared(QByteArray image)
{
    AudioBackend::Wave wave = audio.prepareWave(image);
    return {std::move(image), std::move(wave)};
}

LoadedWave Apis::refused(const QString &reason)
{
    dialogs.error(reason);
    return prepared({});
}

LoadedWave Apis::WavLaden(const QString &name)
{
    const QString path = Programmordner() + name;
    QFile file;
    if (const QString refusal = RegularFile::openForReading(file, path); !refusal.isEmpty())
        return refused(refusal);
    // Each file is closed before its box shows: a box waits for the player, a file must not.
    if (file.size() > largestWaveImage) {
        file.close();
        return refused(QCoreApplication::translate("Apis", "Die Datei ist zu groß für einen Klang (mehr als %1 MB):\n%2")
                           .arg(largestWaveImage >> 20)
                           .arg(path));
    }
    // Read as long as it was when opened: a file that grows meanwhile cannot outrun the bound.
    QByteArray image = file.read(file.size());
    const QString readError = file.error() != QFileDevice::NoError ? fileErrorText(file, path) : QString();
    file.close();
    if (!readError.isEmpty())
        return refused(readError);
    image = withoutSurroundingBlanks(std::move(image));
    // A few kilobytes can hold a sound of hours, or a compressed one of hundreds of millions of
    // samples, which would take gigabytes and seconds to decode; the header tells before anything
    // is decoded.
    if (const std::optional<WaveShape> shape = waveShape(image)) {
        if (shape->seconds() > longestWaveSeconds)
            return refused(QCoreApplication::translate("Apis", "Der Klang in dieser Datei dauert zu lange (mehr als %1 "
                                                               "Minuten):\n%2")
                               .arg(longestWaveSeconds / 60)
                               .arg(path));
        if (shape->samplesToConvert() > mostWaveSamples)
            return refused(QCoreApplication::translate("Apis", "Der Klang in dieser Datei ist zu groß zum Abspielen (mehr "
                                                               "als %1 Minuten Stereo bei %2 kHz):\n%3")
                               .arg(longestWaveSeconds / 60)
                               .arg(usualHighestWaveRate / 1000)
                               .arg(path));
    }
    LoadedWave wave = prepared(std::move(image));
    // Said here, once: playing it later plays nothing, and says nothing.
    if (!wave.prepared && !wave.image.isEmpty())
        return refused(QCoreApplication::translate("Apis", "Der Klang in dieser Datei lässt sich nicht abspielen:\n%1")
                           .arg(path));
    return wave;
}

void Apis::WavAbspielen()
{
    if (WavDaten)
        audio.playWave(WavDaten->prepared);
    else
        audio.stopWave();
}
