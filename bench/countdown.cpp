// How exactly the countdown keeps time in a real game: the main window with the production timers
// (QTimer, Qt::PreciseTimer), everything else faked, started with a click on the start button.
// Every tick of the one-second timer is timestamped as it arrives and after its handler has set
// the read-out; the read-out's next paint is timestamped too. Runs a whole game: 81 s.
//
//   countdown        (QT_QPA_PLATFORM=offscreen unless another platform is set)

#include "about/programlauncher.h"
#include "about/registry.h"
#include "game/frmmain.h"
#include "platform/qttimers.h"
#include "game/services.h"
#include "platform/systemrandom.h"
#include "platform/timeofday.h"
#include "sound/apis.h"
#include "tests/support/fakedialogs.h"
#include "tests/support/fakeplatform.h"
#include "tests/support/recordingaudio.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Tick {
    Clock::time_point arrived;
    Clock::time_point handled;
    Clock::time_point painted;
};

constexpr int countdownInterval = 1000;
constexpr int ticksInGame = 81;  // 80 to count down, one more that ends the game

// Hands out production timers and timestamps every tick of the one running at one-second intervals.
class StampingTimers final : public TimerFactory {
public:
    std::unique_ptr<Timer> createTimer() override { return std::make_unique<StampingTimer>(*this, inner.createTimer()); }

    std::vector<Tick> ticks;

private:
    class StampingTimer final : public Timer {
    public:
        StampingTimer(StampingTimers &owner, std::unique_ptr<Timer> production)
            : owner(owner), production(std::move(production))
        {
            this->production->onTick([this] {
                const bool countdown = interval() == countdownInterval;
                const Clock::time_point arrived = Clock::now();
                tick();
                if (countdown)
                    this->owner.ticks.push_back({arrived, Clock::now(), {}});
            });
        }
        void setInterval(int milliseconds) override { production->setInterval(milliseconds); }
        int interval() const override { return production->interval(); }

    private:
        StampingTimers &owner;
        std::unique_ptr<Timer> production;
    };

    QtTimerFactory inner;
};

// Notes the first paint of the read-out after each tick.
class PaintStamp final : public QObject {
public:
    explicit PaintStamp(std::vector<Tick> &ticks) : ticks(ticks) {}
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !ticks.empty() && ticks.back().painted == Clock::time_point{})
            ticks.back().painted = Clock::now();
        return false;
    }

private:
    std::vector<Tick> &ticks;
};

double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);

    QTemporaryDir working;
    StampingTimers timers;
    FakeDialogs dialogs;
    SystemRandom random;
    SystemTimeOfDay timeOfDay;
    FakeFolders folders;
    folders.program = QStringLiteral(BRUMMO_SOURCE_DIR "/assets");
    folders.working = working.path();
    RecordingAudio audio;
    Apis sound(audio, dialogs, folders);
    NoRegistry registry;
    SystemLauncher launcher;
    Services services{timers, dialogs, random, timeOfDay, folders, sound, registry, launcher};
    frmMain window(services);
    window.show();

    PaintStamp paints(timers.ticks);
    window.lblZeit->installEventFilter(&paints);
    QPushButton *start = window.cmdStart;

    // A button is clicked when it is released; its released() comes right before clicked(), which
    // starts the game.
    Clock::time_point clicked;
    QObject::connect(start, &QPushButton::released, [&] { clicked = Clock::now(); });
    QTimer::singleShot(500, &window, [&] { QTest::mouseClick(start, Qt::LeftButton); });
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (timers.ticks.size() >= ticksInGame && window.tmrZeit().interval() == 0)
            QTimer::singleShot(200, &application, &QCoreApplication::quit);
    });
    poll.start(250);
    application.exec();

    if (timers.ticks.size() != ticksInGame) {
        std::fprintf(stderr, "countdown: %zu ticks instead of %d\n", timers.ticks.size(), ticksInGame);
        return 1;
    }
    double worst = 0;
    double sumK = 0, sumE = 0, sumKK = 0, sumKE = 0;
    double worstPaint = 0;
    for (int k = 1; k <= ticksInGame; ++k) {
        const Tick &tick = timers.ticks[static_cast<std::size_t>(k - 1)];
        const double error = ms(tick.arrived - clicked) - k * countdownInterval;
        worst = std::max(worst, std::abs(error));
        sumK += k;
        sumE += error;
        sumKK += double(k) * k;
        sumKE += k * error;
        if (tick.painted != Clock::time_point{})
            worstPaint = std::max(worstPaint, ms(tick.painted - tick.arrived));
        if (k % 10 == 0 || k == 1 || k == ticksInGame)
            std::printf("tick %2d  read-out %-2s  %9.3f ms after the click  error %+6.2f ms  handler %.3f ms%s\n", k,
                        qPrintable(k < ticksInGame ? QString::number(80 - k) : QStringLiteral("end")),
                        ms(tick.arrived - clicked), error, ms(tick.handled - tick.arrived),
                        tick.painted != Clock::time_point{}
                            ? qPrintable(QStringLiteral("  painted %1 ms later").arg(ms(tick.painted - tick.arrived), 0, 'f', 3))
                            : "");
    }
    const double n = ticksInGame;
    const double slope = (n * sumKE - sumK * sumE) / (n * sumKK - sumK * sumK);
    const Tick &last = timers.ticks.back();
    const double endError = ms(last.handled - clicked) - ticksInGame * countdownInterval;
    std::printf("game end %.3f ms after the click (error %+.2f ms); worst tick error %.2f ms; drift %+.4f ms per tick; "
                "read-out painted at most %.3f ms after its tick\n",
                ms(last.handled - clicked), endError, worst, slope, worstPaint);
    std::printf("RESULT countdown_end_error_ms %.2f\nRESULT countdown_worst_error_ms %.2f\nRESULT countdown_drift_ms_per_tick %.4f\n",
                std::abs(endError), worst, slope);
    return 0;
}
