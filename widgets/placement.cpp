#include "widgets/placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {

QPoint centredCorner(QSize size)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().center() - QRect(QPoint(), size).center() : QPoint();
}

// A window manager frames the window only once it is on screen; the frame is known by the time the
// manager has moved the window into it, at the latest when the window is first painted.
class FrameWatch final : public QObject {
public:
    explicit FrameWatch(QWidget &window) : QObject(&window), window(window) {}

    bool eventFilter(QObject *, QEvent *event) override
    {
        const bool painted = event->type() == QEvent::Paint;
        if ((event->type() == QEvent::Move || painted) && window.isVisible()) {
            const QSize frame = window.frameGeometry().size();
            const bool framed = frame != window.size();
            if (framed)
                window.move(centredCorner(frame));
            if (framed || painted) {
                window.removeEventFilter(this);
                deleteLater();
            }
        }
        return false;
    }

private:
    QWidget &window;
};

} // namespace

void centreOnScreen(QWidget &window)
{
    // Before the first show move() places the corner of the frame, which is not known yet: the
    // client area's size stands in for it.
    window.move(centredCorner(window.size()));
    window.installEventFilter(new FrameWatch(window));
}
