#include "sound/soundmodule.h"

#include "sound/sdlaudiobackend.h"

#include <QtGlobal>

namespace {

AudioBackend *create(TimerFactory &timers)
{
    return new SdlAudioBackend(timers);
}

} // namespace

extern "C" Q_DECL_EXPORT const SoundModuleEntry brummo_sound_module{soundModuleVersion, &create};
