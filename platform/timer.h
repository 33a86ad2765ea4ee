#pragma once

#include <functional>
#include <memory>

// A repeating timer whose only setting is its interval in milliseconds.
// Interval 0 means stopped; any other interval (re)starts it, first tick one interval later.
class Timer {
public:
    virtual ~Timer() = default;
    virtual void setInterval(int milliseconds) = 0;
    virtual int interval() const = 0;
    void onTick(std::function<void()> handler) { tickHandler = std::move(handler); }

protected:
    void tick() { if (tickHandler) tickHandler(); }

private:
    std::function<void()> tickHandler;
};

class TimerFactory {
public:
    virtual ~TimerFactory() = default;
    virtual std::unique_ptr<Timer> createTimer() = 0;
};
