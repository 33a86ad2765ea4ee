#include "tests/support/gamefixture.h"

#include <QDir>
#include <QFile>

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

GameFixture::GameFixture(AudioBackend &audio)
    : sound(audio, dialogs, folders)
{
    // As the system names them: with "\" on Windows.
    folders.program = QDir::toNativeSeparators(programFolder.path());
    folders.working = QDir::toNativeSeparators(workingFolder.path());
    writeFile(programFolder.filePath(QStringLiteral("crap.wav")), waveOfSize(warningBytes));
    writeFile(programFolder.filePath(QStringLiteral("deadnow.wav")), waveOfSize(winnerBytes));
    window = std::make_unique<frmMain>(services);
}

QByteArray GameFixture::waveOfSize(int bytes)
{
    QByteArray image("RIFF");
    image.append(bytes - 4, '\0');
    image[bytes - 1] = 'x';  // no trailing blank, so the loaded image keeps its size
    return image;
}

QColor GameFixture::countdownColour() const
{
    return window->lblZeit->palette().color(QPalette::WindowText);
}

int GameFixture::visibleTargets() const
{
    int visible = 0;
    for (const QLabel *target : window->imgGegner)
        visible += target->isVisibleTo(window.get()) ? 1 : 0;
    return visible;
}

void GameFixture::nextTarget(int index, int left, int top)
{
    // r1 picks the target, r2 the top, r3 the left edge.
    random.values = {(index + 0.5) / 17.0, (top + 0.5) / 3950.0, (left + 0.5) / 6960.0};
    random.position = 0;
}
