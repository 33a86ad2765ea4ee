#pragma once

#include "sound/audiobackend.h"

#include <QString>

#include <memory>

class MemoryWave;
class Timer;
class TimerFactory;
class WinmmCalls;

// The sound device on Windows' own multimedia library: the music through the MCI sequencer, driven
// by command strings, waves from memory through sndPlaySound. Windows plays both on threads of its
// own; everything here runs on the window's thread, the notices included.
//
// The music's end: "play ... notify" has MCI post MM_MCINOTIFY to the device's window once the play
// is over, and the window's event loop hands it to mciNotified(). The play that was cut off by a
// close is over too, and its notice may even say "successful" (Wine's sequencer of old did so);
// nor does a notice say which play it is of, once the device is closed and opened again. So the
// device tells them apart by their place in the window's queue, where Windows puts posted messages
// in the order they were posted: a close returns only once the play it cuts off has posted its
// notice, and right after it, before the next play is opened, the device posts that play's fence.
// A successful notice counts only after the fence of the play started last, and never after a stop.
//
// Music and waves are independent, as MCI and sndPlaySound are.
class WinmmAudioBackend : public AudioBackend {
public:
    // Both must outlive the device; the shortest play is timed on the timers.
    WinmmAudioBackend(WinmmCalls &calls, TimerFactory &timers);
    // Closes the music and stops the wave, so that Windows neither reads the wave's image nor
    // notifies the window once they are gone.
    ~WinmmAudioBackend() override;

    WinmmAudioBackend(const WinmmAudioBackend &) = delete;
    WinmmAudioBackend &operator=(const WinmmAudioBackend &) = delete;

    PlayId playMusic(const QString &path) override;
    void stopMusic() override;
    void setMusicEndedHandler(MusicEndedHandler handler) override;
    Wave prepareWave(const QByteArray &image) override;
    void playWave(const Wave &wave) override;
    void stopWave() override;

    // The device's window received an MM_MCINOTIFY notice with this status.
    void mciNotified(unsigned long status);
    // The device's window received the fence of this play.
    void fencePassed(PlayId play);

private:
    void shortestPlayOver();
    void musicEnded();

    WinmmCalls &calls;
    std::unique_ptr<Timer> shortestPlay;   // runs from the start of a play for its shortest length
    MusicEndedHandler endedHandler;
    PlayId lastPlay = 0;
    PlayId runningPlay = 0;                // the play whose end may still be reported; 0 for none
    PlayId fencedPlay = 0;                 // the play whose fence came last
    bool endedEarly = false;               // the running play ended before its shortest length
    std::shared_ptr<const MemoryWave> soundingWave;   // what Windows may still be reading
};
