#include "sound/audioloader.h"

#include "sound/silentaudio.h"

// On Windows the sound device is linked into the program: there is no module to load and nothing
// to warn about. This build has no winmm device yet, so the game runs silent.
std::unique_ptr<AudioBackend> loadAudioBackend(const QString &, TimerFactory &)
{
    return std::make_unique<SilentAudio>();
}
