#pragma once

// Counts the heap calls on SDL's audio thread (the thread named "SDLAudioP…"), which may not wait
// on the allocator's lock: an allocator of ours in front of glibc's, through which FluidSynth, SDL
// and the C++ library allocate (none of them aligned, on that thread). It catches any allocation or
// free of ours there, a request made, a play freed, a list grown; FluidSynth's own rendering makes
// some, which calls nothing of ours back and is counted apart.
//
// It replaces malloc for the whole program, so only the test that counts compiles it in, and not
// under AddressSanitizer, whose allocator stands where ours would: there nothing is counted.
namespace heapcalls {

#ifdef __SANITIZE_ADDRESS__
inline constexpr bool counted = false;
#else
inline constexpr bool counted = true;
#endif

// From zero on.
void startCounting();
void stopCounting();

long ours();
long rendering();   // inside fluid_synth_write_float

} // namespace heapcalls
