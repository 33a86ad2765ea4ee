#include "sound/audioloader.h"

#include "platform/regularfile.h"
#include "sound/silentaudio.h"
#include "sound/soundmodule.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <QLoggingCategory>

namespace {

// Switched off and on by name, as QT_LOGGING_RULES="brummo.sound=false" does.
Q_LOGGING_CATEGORY(soundLog, "brummo.sound")

std::unique_ptr<AudioBackend> silentBecause(const QString &reason)
{
    qCWarning(soundLog).noquote() << QCoreApplication::translate("AudioLoader", "Brummo: keine Tonausgabe, %1").arg(reason);
    return std::make_unique<SilentAudio>();
}

// Why the module at `path` is not to be loaded, on one line; empty when it may be. dlopen waits for
// ever on a pipe without a writer and reads a device without end, so only a regular file is
// loaded, by the rule every file the game reads follows.
QString refusalToLoad(const QString &path)
{
    QFile file;
    // The reason is made for an error box, with the path on a line of its own.
    return RegularFile::openForReading(file, path).replace(QLatin1Char('\n'), QLatin1Char(' '));
}

} // namespace

std::unique_ptr<AudioBackend> loadAudioBackend(const QString &programFolder, TimerFactory &timers)
{
    // The module stays loaded for the rest of the process: QLibrary unloads only when told, and
    // the device's code must outlive every object made from it.
    const QString path = programFolder + QStringLiteral("brummo-sound.so");
    if (!QFileInfo::exists(path))
        return silentBecause(QCoreApplication::translate("AudioLoader", "das Tonmodul fehlt (%1)").arg(path));
    if (const QString refusal = refusalToLoad(path); !refusal.isEmpty())
        return silentBecause(QCoreApplication::translate("AudioLoader", "das Tonmodul lässt sich nicht öffnen: %1")
                                 .arg(refusal));
    QLibrary module(path);
    if (!module.load())
        return silentBecause(QCoreApplication::translate("AudioLoader", "das Tonmodul oder eine Bibliothek, die es "
                                                                        "braucht, lässt sich nicht laden (%1)")
                                 .arg(module.errorString()));
    const auto *entry = reinterpret_cast<const SoundModuleEntry *>(module.resolve(BRUMMO_SOUND_MODULE_ENTRY));
    if (!entry || entry->version != soundModuleVersion)
        return silentBecause(QCoreApplication::translate("AudioLoader",
                                                         "das Tonmodul hat die Version %1, erwartet ist %2 (%3)")
                                 .arg(entry ? QString::number(entry->version)
                                            : QCoreApplication::translate("AudioLoader", "unbekannt"))
                                 .arg(soundModuleVersion)
                                 .arg(path));
    return std::unique_ptr<AudioBackend>(entry->create(timers));
}
