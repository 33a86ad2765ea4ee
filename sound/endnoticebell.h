#pragma once

#include "sound/audiobackend.h"

#include <atomic>
#include <functional>
#include <memory>

class QSocketNotifier;

// Brings the music's end notice from the audio thread to the thread that made the bell, without
// the audio thread allocating, locking or waiting: ring() stores the play's number and adds one to
// an eventfd made beforehand; a QSocketNotifier on the making thread's event loop wakes, empties
// the eventfd and hands the number on. Rung twice before that, only the newer number arrives: one
// play sounds at a time, so the older one was cut off by the newer one's start already.
//
// Without an event loop on the making thread (a command-line tool, the fuzzer) no notice arrives.
class EndNoticeBell {
public:
    using Answer = std::function<void(AudioBackend::PlayId)>;

    explicit EndNoticeBell(Answer answer);
    ~EndNoticeBell();

    EndNoticeBell(const EndNoticeBell &) = delete;
    EndNoticeBell &operator=(const EndNoticeBell &) = delete;

    // On the audio thread; must not overlap the destructor.
    void ring(AudioBackend::PlayId play) noexcept;

private:
    void answerRing();

    Answer answer;
    int eventFd = -1;
    std::unique_ptr<QSocketNotifier> notifier;
    // Rung on the audio thread, which may not wait on a lock, as an atomic that is not lock-free would.
    static_assert(std::atomic<AudioBackend::PlayId>::is_always_lock_free);
    std::atomic<AudioBackend::PlayId> rung{0};
};
