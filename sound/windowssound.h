#pragma once

#include "sound/audiobackend.h"

#include <memory>

class TimerFactory;

// The sound device of the Windows build: WinmmAudioBackend on the real calls of Windows'
// multimedia library, with a message-only window of the calling thread to receive MCI's notices.
// Create it on the window's thread, whose event loop then hands the notices on; the timers must
// outlive it. Without a sound or MIDI device the calls fail, unasked, and the game is silent.
std::unique_ptr<AudioBackend> createWindowsSound(TimerFactory &timers);
