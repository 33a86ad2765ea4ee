#include "sound/sdlaudiobackend.h"
#include "sound/soundmodule.h"

extern "C" __attribute__((visibility("default"))) AudioBackend *brummo_create_audio_backend()
{
    return new SdlAudioBackend;
}
