#include "sound/endnoticebell.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

EndNoticeBell::EndNoticeBell() : eventFd(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC))
{
}

EndNoticeBell::~EndNoticeBell()
{
    if (eventFd >= 0)
        close(eventFd);
}

void EndNoticeBell::ring(AudioBackend::PlayId play) noexcept
{
    rung.store(play, std::memory_order_release);
    // A system call, no more: the kernel adds to a counter and wakes the event loop. It cannot
    // block, the counter being far from full; without an eventfd it fails, and the notice is lost.
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = write(eventFd, &one, sizeof one);
}

AudioBackend::PlayId EndNoticeBell::answer()
{
    std::uint64_t rings = 0;
    if (read(eventFd, &rings, sizeof rings) != sizeof rings)
        return 0;
    return rung.exchange(0, std::memory_order_acquire);
}
