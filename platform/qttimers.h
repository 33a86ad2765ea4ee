#pragma once

#include "platform/timer.h"

// Production timers: QTimer with Qt::PreciseTimer, so that 80 one-second ticks take 80 s.
class QtTimerFactory final : public TimerFactory {
public:
    std::unique_ptr<Timer> createTimer() override;
};
