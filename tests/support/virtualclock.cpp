#include "tests/support/virtualclock.h"

#include <algorithm>

class VirtualClock::VirtualTimer final : public Timer {
public:
    explicit VirtualTimer(VirtualClock &clock) : clock(clock) { clock.timers.push_back(this); }
    ~VirtualTimer() override { std::erase(clock.timers, this); }

    void setInterval(int milliseconds) override
    {
        currentInterval = std::max(milliseconds, 0);
        due = clock.currentTime + currentInterval;
    }
    int interval() const override { return currentInterval; }

    void fire()
    {
        due += currentInterval;
        firing = true;
        tick();
        firing = false;
    }

    VirtualClock &clock;
    int currentInterval = 0;
    long long due = 0;
    bool firing = false;
};

std::unique_ptr<Timer> VirtualClock::createTimer()
{
    return std::make_unique<VirtualTimer>(*this);
}

VirtualClock::VirtualTimer *VirtualClock::nextDue(long long limit) const
{
    VirtualTimer *earliest = nullptr;
    for (VirtualTimer *timer : timers) {
        if (timer->currentInterval == 0 || timer->firing || timer->due > limit)
            continue;
        if (!earliest || timer->due < earliest->due)
            earliest = timer;
    }
    return earliest;
}

void VirtualClock::advanceTo(long long when)
{
    while (VirtualTimer *timer = nextDue(when)) {
        currentTime = std::max(currentTime, timer->due);
        timer->fire();
    }
    currentTime = std::max(currentTime, when);
}

void VirtualClock::advance(long long milliseconds)
{
    advanceTo(currentTime + milliseconds);
}
