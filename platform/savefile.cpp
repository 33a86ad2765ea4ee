#include "platform/savefile.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace SaveFile {

namespace {

// All of `bytes` from the file's start; false with errno set when the system refused.
bool writeFromStart(int descriptor, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::pwrite(descriptor, bytes.constData() + done, bytes.size() - done, done);
        if (written < 0 && errno != EINTR)
            return false;
        done += written > 0 ? written : 0;
    }
    return true;
}

// Closes the file; the error of a close that fails counts unless an earlier step failed already.
int closed(int descriptor, int error)
{
    return ::close(descriptor) == 0 || error != 0 ? error : errno;
}

// Making a name in a folder that still stands can fail with ENOENT too (/proc makes no new names):
// such a folder refuses the file. A working folder deleted meanwhile still stands, with no link left.
int creationError(int error, const QByteArray &folder)
{
    struct stat status {};
    const bool stands = ::stat(folder.constData(), &status) == 0 && status.st_nlink > 0;
    return error == ENOENT && stands ? EACCES : error;
}

// First the new bytes over the old ones, then the cut to the new length, then the sync: the file
// is never empty on the way, as it would be if it were cut first.
int writeOver(int descriptor, const QByteArray &bytes)
{
    const bool written = writeFromStart(descriptor, bytes) && ::ftruncate(descriptor, bytes.size()) == 0
                         && ::fsync(descriptor) == 0;
    return closed(descriptor, written ? 0 : errno);
}

} // namespace

int write(const QString &path, const QByteArray &bytes)
{
    QString resolved = path;
    for (int depth = 0; depth < 40 && QFileInfo(resolved).isSymLink(); ++depth)
        resolved = QFileInfo(resolved).symLinkTarget();
    const QByteArray target = QFile::encodeName(resolved);
    const QByteArray folder = QFile::encodeName(QFileInfo(resolved).path());
    struct stat earlier {};
    const bool hasEarlier = ::stat(target.constData(), &earlier) == 0;

    // A short name of its own rather than the target's name with more on it: a name that just fits
    // the folder can then still be saved.
    QByteArray temporary;
    int descriptor = -1;
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = folder + "/.brummo-" + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        descriptor = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0 || errno != EEXIST)
            break;
    }
    if (descriptor < 0) {
        const int refusal = creationError(errno, folder);
        if ((refusal != EACCES && refusal != EPERM) || !hasEarlier)
            return refusal;
        // O_NONBLOCK: should a pipe have taken the file's place meanwhile, this fails at once
        // instead of waiting for a reader.
        const int inPlace = ::open(target.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        return inPlace < 0 ? refusal : writeOver(inPlace, bytes);
    }

    const bool complete = (!hasEarlier || ::fchmod(descriptor, earlier.st_mode & 07777) == 0)
                          && writeFromStart(descriptor, bytes) && ::fsync(descriptor) == 0;
    int error = closed(descriptor, complete ? 0 : errno);
    if (error == 0 && ::rename(temporary.constData(), target.constData()) != 0)
        error = errno;
    if (error != 0)
        ::unlink(temporary.constData());
    return error;
}

} // namespace SaveFile
