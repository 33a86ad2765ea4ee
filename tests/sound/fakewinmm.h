#pragma once

#include "sound/winmmcalls.h"

#include <QStringList>

#include <deque>
#include <functional>

class WinmmAudioBackend;

// Windows' multimedia calls as the Windows sound device makes them, with the MCI sequencer and the
// device's window as Windows has them. Every command and fence goes into the log in the order
// made. MCI's device "Musik" is opened, played and closed as the commands say; a play asked to
// notify posts its notice when the test ends it, or when a close cuts it off. What is posted waits
// in the window's queue until the window's thread takes its messages (deliver()).
class FakeWinmm final : public WinmmCalls {
public:
    void sendMciCommand(const QString &command) override;
    void playSound(const char *image, unsigned flags) override;
    void postFence(AudioBackend::PlayId play) override;

    // The play is over: it reached the end of its file and posts a successful notice, or it broke
    // off (its device went) and says so.
    void endPlay(unsigned long status = winmm::notifySuccessful);

    // The window's thread takes the queued messages in the order posted, those posted while it
    // does included, and hands each to the device, as its window procedure does.
    void deliver(WinmmAudioBackend &device);

    QStringList log;
    // The status of the notice a close gives the play it cuts off. Windows says "aborted"; a
    // driver may say "successful" all the same.
    unsigned long cutOffStatus = winmm::notifyAborted;
    // Hears each sndPlaySound while it is made.
    std::function<void(const char *image, unsigned flags)> onPlaySound;

private:
    struct Message {
        bool fence;
        unsigned long long value;   // the fence's play, or the notice's status
    };

    std::deque<Message> queue;
    bool open = false;
    bool running = false;
};
