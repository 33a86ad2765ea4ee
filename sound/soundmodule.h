#pragma once

// The one entry point of the sound module (brummo-sound.so beside the program): a new sound
// device on SDL_mixer and FluidSynth, owned by the caller.
#define BRUMMO_SOUND_MODULE_ENTRY "brummo_create_audio_backend"

class AudioBackend;
using CreateAudioBackend = AudioBackend *(*)();
