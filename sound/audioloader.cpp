#include "sound/audioloader.h"

#include "sound/silentaudio.h"
#include "sound/soundmodule.h"

#include <QLibrary>

std::unique_ptr<AudioBackend> loadAudioBackend(const QString &programFolder)
{
    // The module stays loaded for the rest of the process: QLibrary unloads only when told, and
    // the device's code must outlive every object made from it.
    QLibrary module(programFolder + QStringLiteral("brummo-sound"));
    const auto create = reinterpret_cast<CreateAudioBackend>(module.resolve(BRUMMO_SOUND_MODULE_ENTRY));
    if (!create) {
        qWarning("Brummo: keine Tonausgabe, das Tonmodul fehlt (%s)", qPrintable(module.errorString()));
        return std::make_unique<SilentAudio>();
    }
    return std::unique_ptr<AudioBackend>(create());
}
