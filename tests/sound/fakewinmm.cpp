#include "tests/sound/fakewinmm.h"

#include "sound/winmmaudiobackend.h"

#include <QFileInfo>
#include <QRegularExpression>

void FakeWinmm::sendMciCommand(const QString &command)
{
    log.append(command);
    // MCI's parser: the file's name whole only in double quotes, and an existing file to open.
    static const QRegularExpression openCommand(QStringLiteral(R"re(^open "([^"]+)" type sequencer alias Musik$)re"));
    if (command == u"close Musik") {
        if (running)
            queue.push_back({false, cutOffStatus});
        open = running = false;
    } else if (const QRegularExpressionMatch opened = openCommand.match(command); opened.hasMatch()) {
        // An alias in use stays with the device it names.
        if (!open)
            open = QFileInfo(opened.captured(1)).isFile();
    } else if (command == u"play Musik notify") {
        running = open;
    }
}

void FakeWinmm::playSound(const char *image, unsigned flags)
{
    if (onPlaySound)
        onPlaySound(image, flags);
}

void FakeWinmm::postFence(AudioBackend::PlayId play)
{
    log.append(QStringLiteral("fence %1").arg(play));
    queue.push_back({true, play});
}

void FakeWinmm::endPlay(unsigned long status)
{
    if (running)
        queue.push_back({false, status});
    running = false;
}

void FakeWinmm::deliver(WinmmAudioBackend &device)
{
    while (!queue.empty()) {
        const Message message = queue.front();
        queue.pop_front();
        if (message.fence)
            device.fencePassed(message.value);
        else
            device.mciNotified(static_cast<unsigned long>(message.value));
    }
}
