#pragma once

#include <cstdint>

class AudioBackend;
class TimerFactory;

// The one entry point of the sound module (brummo-sound.so beside the program). The program
// checks the version before it calls anything: a module left over from another install may have
// been built against other classes, and calling into it would be undefined behaviour. Raise the
// version whenever AudioBackend, TimerFactory, Timer or this entry change.
#define BRUMMO_SOUND_MODULE_ENTRY "brummo_sound_module"

struct SoundModuleEntry {
    std::uint32_t version;
    // A new sound device on SDL_mixer and FluidSynth, owned by the caller; its quiet spells are
    // timed on the given timers, which must outlive it.
    AudioBackend *(*create)(TimerFactory &timers);
};

inline constexpr std::uint32_t soundModuleVersion = 4;
