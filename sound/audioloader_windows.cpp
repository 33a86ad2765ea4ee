#include "sound/audioloader.h"

#include "sound/windowssound.h"

// On Windows the sound device is Windows' own multimedia library, linked into the program: there
// is no module to load, and a machine without a sound device answers its calls with errors, which
// leave the game silent.
std::unique_ptr<AudioBackend> loadAudioBackend(const QString &, TimerFactory &timers)
{
    return createWindowsSound(timers);
}
