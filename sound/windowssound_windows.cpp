#include "sound/windowssound.h"

#include "sound/winmmaudiobackend.h"
#include "sound/winmmcalls.h"

#include <QCoreApplication>
#include <QLoggingCategory>

#include <windows.h>
#include <mmsystem.h>

namespace {

// Switched off and on by name, as QT_LOGGING_RULES="brummo.sound=false" does.
Q_LOGGING_CATEGORY(soundLog, "brummo.sound")

static_assert(winmm::sndAsync == SND_ASYNC && winmm::sndNoDefault == SND_NODEFAULT && winmm::sndMemory == SND_MEMORY);
static_assert(winmm::notifySuccessful == MCI_NOTIFY_SUCCESSFUL && winmm::notifySuperseded == MCI_NOTIFY_SUPERSEDED
              && winmm::notifyAborted == MCI_NOTIFY_ABORTED && winmm::notifyFailure == MCI_NOTIFY_FAILURE);
static_assert(sizeof(WPARAM) >= sizeof(AudioBackend::PlayId), "a fence carries its play whole");

// The window's own message: a fence, its play in wParam.
constexpr UINT fenceMessage = WM_APP;

// MusikFenster's window procedure: the notices and fences for the device its window delivers to.
// Every other message, and every message while it delivers to none, goes on as to any window.
LRESULT CALLBACK FensterProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto *device = reinterpret_cast<WinmmAudioBackend *>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (device && message == MM_MCINOTIFY) {
        device->mciNotified(static_cast<unsigned long>(wParam));
        return 0;
    }
    if (device && message == fenceMessage) {
        device->fencePassed(static_cast<AudioBackend::PlayId>(wParam));
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// Registered once for the process: a second device would find the name taken.
const wchar_t *windowClass()
{
    static const ATOM atom = [] {
        WNDCLASSEXW description{};
        description.cbSize = sizeof description;
        description.lpfnWndProc = FensterProc;
        description.hInstance = GetModuleHandleW(nullptr);
        description.lpszClassName = L"BrummoMusikFenster";
        return RegisterClassExW(&description);
    }();
    // As MAKEINTATOM makes it, but wide whether or not UNICODE is defined.
    return reinterpret_cast<const wchar_t *>(static_cast<ULONG_PTR>(atom));
}

// The real calls, and MusikFenster, the window MCI posts its notices to. A message-only window of
// our own class: it is never shown and gets no broadcasts, only what is posted to it, and its own
// window procedure sees only its own messages, where an event filter of Qt's would look at every
// message of the thread. The thread's event loop, Qt's included, dispatches to it.
class MessageWindow final : public WinmmCalls {
public:
    MessageWindow()
        : MusikFenster(CreateWindowExW(0, windowClass(), L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                       GetModuleHandleW(nullptr), nullptr))
    {
        if (!MusikFenster)
            qCWarning(soundLog).noquote()
                << QCoreApplication::translate("WindowsSound", "Brummo: kein Fenster für die Nachrichten der Musik "
                                                               "(Fehler %1), sie spielt nur einmal.")
                       .arg(GetLastError());
    }
    ~MessageWindow() override
    {
        // Messages still queued for it go with it.
        if (MusikFenster)
            DestroyWindow(MusikFenster);
    }
    MessageWindow(const MessageWindow &) = delete;
    MessageWindow &operator=(const MessageWindow &) = delete;

    // Where the window hands its messages; none while the device is being made or goes.
    void deliverTo(WinmmAudioBackend *device)
    {
        if (MusikFenster)
            SetWindowLongPtrW(MusikFenster, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(device));
    }

    void sendMciCommand(const QString &command) override;
    void playSound(const char *image, unsigned flags) override;
    void postFence(AudioBackend::PlayId play) override;

private:
    // Without a window no notice arrives, and the music plays once.
    const HWND MusikFenster;
};

void MessageWindow::sendMciCommand(const QString &command)
{
    mciSendStringW(reinterpret_cast<const wchar_t *>(command.utf16()), nullptr, 0, MusikFenster);
}

void MessageWindow::playSound(const char *image, unsigned flags)
{
    // With SND_MEMORY the "name" is the image's address.
    sndPlaySoundW(reinterpret_cast<const wchar_t *>(image), flags);
}

void MessageWindow::postFence(AudioBackend::PlayId play)
{
    // Posted, not sent: it must queue up behind MCI's notices.
    if (MusikFenster)
        PostMessageW(MusikFenster, fenceMessage, static_cast<WPARAM>(play), 0);
}

// The window is made before the device and goes after it, whose last calls still go through it.
struct WithMessageWindow {
    MessageWindow window;
};

class WindowsSound final : private WithMessageWindow, public WinmmAudioBackend {
public:
    explicit WindowsSound(TimerFactory &timers) : WinmmAudioBackend(window, timers) { window.deliverTo(this); }
    ~WindowsSound() override { window.deliverTo(nullptr); }
};

} // namespace

std::unique_ptr<AudioBackend> createWindowsSound(TimerFactory &timers)
{
    return std::make_unique<WindowsSound>(timers);
}
