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
        audio.setMusicEndedHandler([this](AudioBackend::PlayId play) { musicEnded(play); });
        umgeleitet = true;
    }
    currentPlay = audio.playMusic(MidiDatei);
}

void Apis::musicEnded(AudioBackend::PlayId play)
{
    // Only the end of the play started last counts; a notice of a play that was cut off
    // by a new start may still arrive after it.
    if (umgeleitet && play == currentPlay)
        MusikStarten();
}

void Apis::MusikStoppen()
{
    audio.stopMusic();
    if (umgeleitet) {
        audio.setMusicEndedHandler({});
        umgeleitet = false;
    }
}

QByteArray Apis::WavLaden(const QString &name)
{
    const QString path = Programmordner() + name;
    QFile file;
    if (const QString refusal = RegularFile::openForReading(file, path); !refusal.isEmpty()) {
        dialogs.error(refusal);
        return {};
    }
    if (file.size() > largestWaveImage) {
        file.close();
        dialogs.error(QCoreApplication::translate("Apis", "Die Datei ist zu groß für einen Klang (mehr als %1 MB):\n%2")
                          .arg(largestWaveImage >> 20)
                          .arg(path));
        return {};
    }
    // Read as long as it was when opened: a file that grows meanwhile cannot outrun the bound.
    QByteArray image = file.read(file.size());
    if (file.error() != QFileDevice::NoError) {
        const QString reason = fileErrorText(file, path);
        file.close();
        dialogs.error(reason);
        return {};
    }
    file.close();
    image = withoutSurroundingBlanks(std::move(image));
    // A few kilobytes can hold a sound of hours (at 1 Hz, say), which would take gigabytes once
    // decoded for the device; the header tells its length before anything is decoded.
    if (const std::optional<double> seconds = waveSeconds(image); seconds && *seconds > longestWaveSeconds) {
        dialogs.error(QCoreApplication::translate("Apis", "Der Klang in dieser Datei dauert zu lange (mehr als %1 Minuten):\n%2")
                          .arg(longestWaveSeconds / 60)
                          .arg(path));
        return {};
    }
    audio.prepareWave(image);
    return image;
}

void Apis::WavAbspielen()
{
    if (WavDaten)
        audio.playWave(*WavDaten);
    else
        audio.stopWave();
}
