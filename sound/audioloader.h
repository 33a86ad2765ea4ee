#pragma once

#include "sound/audiobackend.h"

#include <QString>

#include <memory>

// The sound device from the sound module in `programFolder` (ending in a separator), or a silent
// one, with one warning line, when the module is missing or cannot be loaded.
//
// SDL, SDL_mixer and FluidSynth bring some forty libraries with them; linked into the program,
// loading them held the splash window's first picture back by a fifth. As a module they are
// loaded when the game first needs sound, after the splash window is on screen.
std::unique_ptr<AudioBackend> loadAudioBackend(const QString &programFolder);
