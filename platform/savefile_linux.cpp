// Saving on Linux: the place is found first, then everything happens relative to its open folder.
#include "platform/savefile.h"
#include "platform/savefile_place_linux.h"

#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>

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
int creationError(int error, int folder)
{
    struct stat status {};
    const bool stands = ::fstat(folder, &status) == 0 && status.st_nlink > 0;
    return error == ENOENT && stands ? EACCES : error;
}

// First the new bytes over the old ones, then the cut to the new length, then the sync: the file
// is never empty on the way, as it would be if it were cut first. The lock keeps a second save of
// the name from cutting between the two steps of this one.
Result writeInPlace(const Place &place, const QByteArray &bytes, int refusal)
{
    // O_NOFOLLOW: a link put under the name since it was looked at is refused, not written through.
    // O_NONBLOCK: should a pipe have taken the file's place meanwhile, this fails at once instead of
    // waiting for a reader.
    const int descriptor =
        ::openat(place.folder.get(), place.name.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW);
    if (descriptor < 0)
        return errno == ELOOP ? Result{Result::Kind::LinkNotFollowed} : refused(refusal);
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        return {Result::Kind::NotARegularFile};
    }
    const bool written = ::flock(descriptor, LOCK_EX | LOCK_NB) == 0 && writeFromStart(descriptor, bytes)
                         && ::ftruncate(descriptor, bytes.size()) == 0 && ::fsync(descriptor) == 0;
    const int error = closed(descriptor, written ? 0 : errno);
    return error == 0 ? Result{} : refused(error);
}

} // namespace

Result write(const QByteArray &localPath, const QByteArray &bytes)
{
    Place place;
    if (const Result found = findPlace(localPath, place); !found.written())
        return found;
    const int folder = place.folder.get();

    // A short name of its own rather than the target's name with more on it: a name that just fits
    // the folder can then still be saved. O_EXCL also refuses a link standing under that name.
    QByteArray temporary;
    int descriptor = -1;
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = ".brummo-" + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        descriptor = ::openat(folder, temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0 || errno != EEXIST)
            break;
    }
    if (descriptor < 0) {
        const int refusal = creationError(errno, folder);
        if ((refusal != EACCES && refusal != EPERM) || !place.hasEarlier)
            return refused(refusal);
        return writeInPlace(place, bytes, refusal);
    }

    const bool complete = (!place.hasEarlier || ::fchmod(descriptor, place.earlier.st_mode & 07777) == 0)
                          && writeFromStart(descriptor, bytes) && ::fsync(descriptor) == 0;
    int error = closed(descriptor, complete ? 0 : errno);
    // Renaming replaces whatever stands under the name by then, a link too, and never follows it.
    if (error == 0 && ::renameat(folder, temporary.constData(), folder, place.name.constData()) != 0)
        error = errno;
    if (error != 0)
        ::unlinkat(folder, temporary.constData(), 0);
    return error == 0 ? Result{} : refused(error);
}

} // namespace SaveFile
