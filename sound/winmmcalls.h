#pragma once

#include "sound/audiobackend.h"

#include <QString>

// What the Windows sound device asks of Windows: two calls of its multimedia library, winmm, and
// one message of its own to the device's window. Behind this interface the device's logic runs,
// and is tested, on any system; sound/windowssound_windows.cpp makes the real calls. Their results
// are not asked for: a failing command, like a machine without a sound device, leaves the game
// silent and says nothing.
class WinmmCalls {
public:
    virtual ~WinmmCalls() = default;

    // mciSendString: one MCI command string, no reply text. A notice it asks for is posted to the
    // device's window as MM_MCINOTIFY, with the status the device's mciNotified() receives.
    virtual void sendMciCommand(const QString &command) = 0;

    // sndPlaySound: a whole wave image in memory (Windows gets no length, it reads as far as the
    // image's header says), or none; the flags as winmm defines them. Windows reads the image
    // while it sounds, until the next call, which stops it before it returns.
    virtual void playSound(const char *image, unsigned flags) = 0;

    // Posts to the device's window the fence of a play, which reaches the device's fencePassed()
    // after every notice posted to the window before it.
    virtual void postFence(AudioBackend::PlayId play) = 0;
};

// The values of winmm's constants that the device and its fake use, without Windows' headers;
// the Windows glue checks them against those.
namespace winmm {

inline constexpr unsigned sndAsync = 0x0001;
inline constexpr unsigned sndNoDefault = 0x0002;
inline constexpr unsigned sndMemory = 0x0004;

// The status of an MM_MCINOTIFY notice.
inline constexpr unsigned long notifySuccessful = 0x0001;
inline constexpr unsigned long notifySuperseded = 0x0002;
inline constexpr unsigned long notifyAborted = 0x0004;
inline constexpr unsigned long notifyFailure = 0x0008;

} // namespace winmm
