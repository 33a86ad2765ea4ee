#pragma once

#include "platform/formbuilder.h"
#include "platform/timer.h"

#include <QWidget>

#include <functional>
#include <memory>

class TimerFactory;

// The splash window: fills its bar in five half-second steps, then hands over to the main window.
class frmLoad final : public QWidget {
    Q_OBJECT

public:
    // `showMainWindow` creates the main window if need be and shows it; it runs on the sixth tick.
    frmLoad(TimerFactory &timers, std::function<void()> showMainWindow, QWidget *parent = nullptr);

    void tmrZeit_Timer();

    const Form &controls() const { return form; }
    qint16 schritte() const { return Schritte; }

private:
    Form form;
    std::unique_ptr<Timer> tmrZeit;
    std::function<void()> showMainWindow;
    qint16 Schritte = 0;
};
