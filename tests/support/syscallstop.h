#pragma once

#include <QList>

// Stopping a save at one of its system calls, in a child process of the test, to see what a kill
// at that step leaves, or what a change made by someone else while the save stands there does.
// Catches saves whose steps are safe only when nothing comes between them.

// One system call as the filter recognises it: by its number, and by one of its arguments.
struct SystemCall {
    // The call on a file of the process's own: a first argument above 2, so that the standard
    // output and error still work (a test's own messages, a sanitizer's report).
    static SystemCall onOwnFile(int number);
    // The call with any of these flags in the given argument (O_CREAT among openat's, say).
    static SystemCall withFlags(int number, int argument, unsigned flags);

    int number = -1;
    int argument = 0;
    bool flagTest = false;  // whether `value` holds flags, or the bound the argument must exceed
    unsigned value = 0;
};

// Ends this process with SIGSYS as it enters any of these calls (by number) on a file of its own.
// False where the system lets no process filter its calls.
bool killOnEntering(const QList<int> &calls);

// Pauses a child as it enters a call until the parent lets it go on. Made before the fork; the child
// calls `install`, the parent `awaitPause` and then `goOn`. Should the parent give up first, the
// paused call fails with ENOSYS when this goes, so the child never hangs.
class PauseOnEntering {
public:
    PauseOnEntering();
    ~PauseOnEntering();
    PauseOnEntering(const PauseOnEntering &) = delete;
    PauseOnEntering &operator=(const PauseOnEntering &) = delete;

    // In the child. False where the system lets no process filter its calls.
    bool install(const SystemCall &call);
    // In the parent: true once the child stands at the call; false when it ended before.
    bool awaitPause();
    void goOn();

private:
    int channel[2] = {-1, -1};  // the parent's end, the child's end: the child hands its listener over
    int listener = -1;
    unsigned long long paused = 0;  // the kernel's id of the paused call
};
