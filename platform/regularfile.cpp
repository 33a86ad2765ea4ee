#include "platform/regularfile.h"

#include "platform/fileerrors.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace RegularFile {

namespace {

QString openFailure(int error, const QString &shownPath)
{
    // A socket, or a device without its driver.
    return error == ENXIO ? notARegularFile(shownPath) : openErrorText(error, shownPath);
}

} // namespace

QString notARegularFile(const QString &shownPath)
{
    return QCoreApplication::translate("RegularFile", "Das ist keine gewöhnliche Datei, sondern ein Gerät, "
                                                      "eine Pipe oder ein Socket:\n%1")
        .arg(shownPath);
}

QString openForReading(QFile &file, const QByteArray &localPath, const QString &shownPath)
{
    // O_NONBLOCK lets a pipe without a writer open at once, so that fstat can refuse it; a regular
    // file ignores the flag, which is cleared all the same before Qt reads from it.
    const int descriptor = ::open(localPath.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (descriptor < 0)
        return openFailure(errno, shownPath);
    struct stat status {};
    QString refusal;
    if (::fstat(descriptor, &status) != 0)
        refusal = openFailure(errno, shownPath);
    else if (S_ISDIR(status.st_mode))
        refusal = openErrorText(EISDIR, shownPath);
    else if (!S_ISREG(status.st_mode))
        refusal = notARegularFile(shownPath);
    else if (::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK) != 0
             || !file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        refusal = openFailure(errno, shownPath);
    else
        return {};
    ::close(descriptor);
    return refusal;
}

} // namespace RegularFile
