#include "sound/audioloader.h"

#include "sound/silentaudio.h"
#include "sound/soundmodule.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>

namespace {

std::unique_ptr<AudioBackend> silentBecause(const QString &reason)
{
    qWarning().noquote() << QCoreApplication::translate("AudioLoader", "Brummo: keine Tonausgabe, %1").arg(reason);
    return std::make_unique<SilentAudio>();
}

} // namespace

std::unique_ptr<AudioBackend> loadAudioBackend(const QString &programFolder, TimerFactory &timers)
{
    // The module stays loaded for the rest of the process: QLibrary unloads only when told, and
    // the device's code must outlive every object made from it.
    const QString path = programFolder + QStringLiteral("brummo-sound.so");
    if (!QFileInfo::exists(path))
        return silentBecause(QCoreApplication::translate("AudioLoader", "das Tonmodul fehlt (%1)").arg(path));
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
