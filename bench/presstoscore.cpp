// From a mouse press on a target to the score read-out showing the new score.
//
// Processing: the press is delivered (QTest::mousePress) and the press handler has set the
// read-out's text; that is what the game does within the press itself.
// End to end: from sending the press until the event loop has painted the read-out (window shown
// on Qt's offscreen platform, so painting and flushing the backing store are real).
//
// The floor is the same pair on a bare window holding one label that counts presses.

#include "tests/support/gamefixture.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Notes that a widget was painted.
class PaintSeen final : public QObject {
public:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
    bool painted = false;
};

class CountingLabel final : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void mousePressEvent(QMouseEvent *) override { setText(QString::number(++presses)); }

private:
    int presses = 0;
};

// What a press is sent to, and where the result shows.
struct Scene {
    QWidget *pressed = nullptr;
    QLabel *readOut = nullptr;
    std::function<void()> resetScore;
    std::function<int()> score;
};

// Made on first use and kept for all runs; both must go before the application object does.
std::unique_ptr<RecordedGame> game;
std::unique_ptr<QWidget> floorWindow;
CountingLabel *floorLabel = nullptr;

Scene gameScene()
{
    if (!game) {
        game = std::make_unique<RecordedGame>();
        game->window->show();
        if (!QTest::qWaitForWindowExposed(game->window.get()))
            qFatal("the window never showed");
        game->window->cmdStart_Click();
        game->nextTarget(0);
        game->clock.advance(2000);  // shows target 0 (worth one point) until 3400 ms
        QCoreApplication::processEvents();
    }
    RecordedGame *g = game.get();
    return {g->window->imgGegner[0], g->window->lblPunkte, [g] { g->window->Punkte = 0; },
            [g] { return int(g->window->Punkte); }};
}

Scene floorScene()
{
    if (!floorWindow) {
        floorWindow = std::make_unique<QWidget>();
        floorWindow->resize(683, 392);
        floorLabel = new CountingLabel(QStringLiteral("0"), floorWindow.get());
        floorLabel->setGeometry(10, 10, 41, 17);
        floorWindow->show();
        if (!QTest::qWaitForWindowExposed(floorWindow.get()))
            qFatal("the window never showed");
        QCoreApplication::processEvents();
    }
    return {floorLabel, floorLabel, [] {}, [] { return floorLabel->text().toInt(); }};
}

// Median and 99th percentile of the timed presses, in microseconds, as counters beside the mean.
void reportSpread(benchmark::State &state, std::vector<double> seconds)
{
    if (seconds.empty())
        return;
    std::sort(seconds.begin(), seconds.end());
    const auto at = [&](double fraction) { return seconds[std::size_t(fraction * double(seconds.size() - 1))] * 1e6; };
    state.counters["p50_us"] = at(0.5);
    state.counters["p99_us"] = at(0.99);
}

void processing(benchmark::State &state, Scene (*makeScene)())
{
    const Scene scene = makeScene();
    std::vector<double> seconds;
    for (auto _ : state) {
        if (scene.score() > 30000)
            scene.resetScore();
        const int before = scene.score();
        const Clock::time_point sent = Clock::now();
        QTest::mousePress(scene.pressed, Qt::LeftButton);
        const double took = std::chrono::duration<double>(Clock::now() - sent).count();
        state.SetIterationTime(took);
        seconds.push_back(took);
        if (scene.score() != before + 1)
            state.SkipWithError("a press did not score exactly once");
        // Outside the timed part: the release, and the paint the press asked for, so that every
        // press meets the same state.
        QTest::mouseRelease(scene.pressed, Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    reportSpread(state, std::move(seconds));
}

void endToEnd(benchmark::State &state, Scene (*makeScene)())
{
    const Scene scene = makeScene();
    PaintSeen paints;
    scene.readOut->installEventFilter(&paints);
    std::vector<double> seconds;
    for (auto _ : state) {
        if (scene.score() > 30000)
            scene.resetScore();
        QCoreApplication::processEvents();
        paints.painted = false;
        const Clock::time_point sent = Clock::now();
        QTest::mousePress(scene.pressed, Qt::LeftButton);
        // The paint happens inside the call that delivers the update request; counting to the
        // call's return includes flushing the painted pixels.
        while (!paints.painted)
            QCoreApplication::processEvents();
        const double took = std::chrono::duration<double>(Clock::now() - sent).count();
        state.SetIterationTime(took);
        seconds.push_back(took);
        QTest::mouseRelease(scene.pressed, Qt::LeftButton);
    }
    scene.readOut->removeEventFilter(&paints);
    reportSpread(state, std::move(seconds));
}

Scene makeGame() { return gameScene(); }
Scene makeFloor() { return floorScene(); }

} // namespace

BENCHMARK_CAPTURE(processing, game, &makeGame)->Unit(benchmark::kMicrosecond)->UseManualTime()->Iterations(20000);
BENCHMARK_CAPTURE(processing, floor, &makeFloor)->Unit(benchmark::kMicrosecond)->UseManualTime()->Iterations(20000);
BENCHMARK_CAPTURE(endToEnd, game, &makeGame)->Unit(benchmark::kMicrosecond)->UseManualTime()->Iterations(5000);
BENCHMARK_CAPTURE(endToEnd, floor, &makeFloor)->Unit(benchmark::kMicrosecond)->UseManualTime()->Iterations(5000);

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    game.reset();
    floorWindow.reset();
    return 0;
}
