#include "startup/exitwithoutdisplay.h"

#include "startup/playerlanguage.h"
#include "startup/terminaltext.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <vector>

namespace {

struct HeldMessage {
    QtMsgType type;
    QByteArray file;
    int line;
    QByteArray function;
    QByteArray category;
    QString text;
};

// Qt's platform plugins may log from threads of their own while the application is made.
std::mutex heldLock;
bool holding = false;
std::vector<HeldMessage> held;
QByteArray noDisplayLine;
QtMessageHandler handlerBefore = nullptr;

const char *orNull(const QByteArray &bytes)
{
    return bytes.isNull() ? nullptr : bytes.constData();
}

void holdOrExit(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    // Without a display the only fatal message Qt gives as the application is made is that it found
    // no platform; Qt would abort once this returns.
    if (type == QtFatalMsg) {
        std::fputs(noDisplayLine.constData(), stderr);
        std::fflush(stderr);
        std::_Exit(1);
    }
    const std::lock_guard lock(heldLock);
    if (holding)
        held.push_back({type, context.file, context.line, context.function, context.category, text});
    else
        handlerBefore(type, context, text);
}

} // namespace

ExitWithoutDisplay::ExitWithoutDisplay(const PlayerTexts &texts)
{
    noDisplayLine = forTerminal(texts.translate("ExitWithoutDisplay",
                                                "Brummo: Keine Anzeige für die Fenster erreichbar; DISPLAY, "
                                                "WAYLAND_DISPLAY oder QT_QPA_PLATFORM prüfen.\n"));
    const std::lock_guard lock(heldLock);
    holding = true;
    handlerBefore = qInstallMessageHandler(holdOrExit);
}

ExitWithoutDisplay::~ExitWithoutDisplay()
{
    const std::lock_guard lock(heldLock);
    holding = false;
    qInstallMessageHandler(handlerBefore);
    for (const HeldMessage &message : held)
        handlerBefore(message.type,
                      QMessageLogContext(orNull(message.file), message.line, orNull(message.function),
                                         orNull(message.category)),
                      message.text);
    held.clear();
}
