#pragma once

#include "platform/timer.h"

#include <vector>

// Timers in virtual time: advance() fires every tick that falls due, in time order, in no time.
// Like Qt, a timer whose tick is being handled does not tick again inside that handler
// (for instance while a modal box opened by it advances the clock).
class VirtualClock final : public TimerFactory {
public:
    std::unique_ptr<Timer> createTimer() override;

    void advance(long long milliseconds);
    void advanceTo(long long when);
    long long now() const { return currentTime; }

private:
    class VirtualTimer;
    friend class VirtualTimer;

    VirtualTimer *nextDue(long long limit) const;

    std::vector<VirtualTimer *> timers;  // in creation order, which breaks ties
    long long currentTime = 0;
};
