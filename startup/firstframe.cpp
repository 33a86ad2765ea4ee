#include "startup/firstframe.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {

class FirstFrameWatch final : public QObject {
public:
    FirstFrameWatch(QWidget &window, std::function<void()> action)
        : QObject(&window), action(std::move(action))
    {
    }

    // The expose is seen before the window handles it by painting and flushing; the action is
    // queued behind that.
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed())
            runSoon();
        return false;
    }

    void runSoon()
    {
        if (queued)
            return;
        queued = true;
        QTimer::singleShot(0, this, [this] {
            const std::function<void()> run = std::move(action);
            deleteLater();
            run();
        });
    }

private:
    std::function<void()> action;
    bool queued = false;
};

} // namespace

void afterFirstFrame(QWidget &window, std::function<void()> action)
{
    auto *watch = new FirstFrameWatch(window, std::move(action));
    QWindow *handle = window.windowHandle();
    // Some platforms (offscreen among them) expose a window within show() itself.
    if (!handle || handle->isExposed()) {
        watch->runSoon();
        return;
    }
    handle->installEventFilter(watch);
}
