#pragma once

#include "platform/timer.h"

#include <QWidget>

#include <functional>
#include <memory>

class QLabel;
class QProgressBar;
class TimerFactory;

// The splash window: fills its bar in five half-second steps, then hands over to the main window.
class frmLoad final : public QWidget {
    Q_OBJECT

public:
    // `showMainWindow` creates the main window if need be and shows it; it runs on the sixth tick.
    frmLoad(TimerFactory &timers, std::function<void()> showMainWindow, QWidget *parent = nullptr);

    void tmrZeit_Timer();

    qint16 schritte() const { return Schritte; }
    Timer &tmrZeit() const { return *zeitTimer; }

    // The controls, named as in the window's table, front to back; set once, as the window is made.
    QProgressBar *Vortschritt = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Image1 = nullptr;

private:
    std::unique_ptr<Timer> zeitTimer;
    std::function<void()> showMainWindow;
    qint16 Schritte = 0;
};
