#pragma once

#include "sound/audiobackend.h"

#include <atomic>

// Carries the music's end notice from the audio thread to the window's thread without the audio
// thread allocating, locking or waiting: ring() stores the play's number and adds one to an
// eventfd made beforehand, which the window's event loop watches. Rung twice before it is
// answered, only the newer number arrives: one play sounds at a time, so the older one was cut off
// by the newer one's start already.
class EndNoticeBell {
public:
    EndNoticeBell();
    ~EndNoticeBell();

    EndNoticeBell(const EndNoticeBell &) = delete;
    EndNoticeBell &operator=(const EndNoticeBell &) = delete;

    // On the audio thread; must not overlap the destructor.
    void ring(AudioBackend::PlayId play) noexcept;

    // Readable once rung; -1 when the bell could not be made, and then no notice arrives.
    int descriptor() const { return eventFd; }

    // The play rung last since the previous answer, 0 if none; it never waits.
    AudioBackend::PlayId answer();

private:
    int eventFd = -1;
    // Rung on the audio thread, which may not wait on a lock, as an atomic that is not lock-free would.
    static_assert(std::atomic<AudioBackend::PlayId>::is_always_lock_free);
    std::atomic<AudioBackend::PlayId> rung{0};
};
