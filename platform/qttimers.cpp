#include "platform/qttimers.h"

#include <QTimer>

namespace {

class QtTimer final : public Timer {
public:
    QtTimer()
    {
        timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer, &QTimer::timeout, [this] { tick(); });
    }

    void setInterval(int milliseconds) override
    {
        if (milliseconds <= 0) {
            timer.stop();
            currentInterval = 0;
            return;
        }
        currentInterval = milliseconds;
        timer.start(milliseconds);
    }

    int interval() const override { return currentInterval; }

private:
    QTimer timer;
    int currentInterval = 0;
};

} // namespace

std::unique_ptr<Timer> QtTimerFactory::createTimer()
{
    return std::make_unique<QtTimer>();
}
