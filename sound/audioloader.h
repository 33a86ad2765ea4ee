#pragma once

#include "sound/audiobackend.h"

#include <QString>

#include <memory>

class TimerFactory;

// The sound device. On Windows the one linked into the program (audioloader_windows.cpp).
// On Linux the one from the sound module in `programFolder` (ending in a separator), or a silent
// one, with one warning line that says why: the module is missing, it is no regular file that opens
// (a pipe in its place would hold the start for good), it cannot be loaded (the libraries it needs
// are not installed), or it is of another version than the program.
//
// SDL, SDL_mixer and FluidSynth bring some forty libraries with them; linked into the program,
// loading them held the splash window's first picture back (bench/README.md, start-up). As a
// module they are loaded when the game first needs sound, after the splash window is on screen.
std::unique_ptr<AudioBackend> loadAudioBackend(const QString &programFolder, TimerFactory &timers);
