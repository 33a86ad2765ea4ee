#include "sound/endnoticebell.h"

#include <QAbstractEventDispatcher>
#include <QSocketNotifier>

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

EndNoticeBell::EndNoticeBell(Answer answer)
    : answer(std::move(answer)), eventFd(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC))
{
    if (eventFd < 0 || !QAbstractEventDispatcher::instance())
        return;
    notifier = std::make_unique<QSocketNotifier>(eventFd, QSocketNotifier::Read);
    QObject::connect(notifier.get(), &QSocketNotifier::activated, notifier.get(), [this] { answerRing(); });
}

EndNoticeBell::~EndNoticeBell()
{
    notifier.reset();
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

void EndNoticeBell::answerRing()
{
    std::uint64_t rings = 0;
    if (read(eventFd, &rings, sizeof rings) != sizeof rings)
        return;
    const AudioBackend::PlayId play = rung.exchange(0, std::memory_order_acquire);
    if (play != 0 && answer)
        answer(play);
}
