#include "platform/savefile_place_linux.h"

#include <QByteArrayList>

#include <cerrno>
#include <climits>
#include <fcntl.h>

namespace SaveFile {

namespace {

// As many links as the system itself follows in one name.
constexpr int mostLinks = 40;

// Someone other than the player (or root, who may write anywhere anyway) may put or swap names
// in this folder. A sticky folder counts too: it is made to be shared.
bool othersMayWriteInto(const struct stat &folder)
{
    const bool ownedByPlayerOrRoot = folder.st_uid == ::geteuid() || folder.st_uid == 0;
    return !ownedByPlayerOrRoot || (folder.st_mode & (S_ISVTX | S_IWGRP | S_IWOTH)) != 0;
}

bool mayFollow(int folder, const struct stat &link)
{
    struct stat holder {};
    return ::fstat(folder, &holder) == 0 && !othersMayWriteInto(holder)
           && (link.st_uid == ::geteuid() || link.st_uid == 0);
}

// The text of a link; empty with errno set when it cannot be read whole.
QByteArray linkText(int folder, const QByteArray &name)
{
    char text[PATH_MAX];
    const ssize_t length = ::readlinkat(folder, name.constData(), text, sizeof text);
    if (length == ssize_t(sizeof text))
        errno = ENAMETOOLONG;
    return length > 0 && length < ssize_t(sizeof text) ? QByteArray(text, length) : QByteArray();
}

int openFolder(const char *path)
{
    return ::open(path, O_PATH | O_DIRECTORY | O_CLOEXEC);
}

} // namespace

Result findPlace(const QByteArray &localPath, Place &place)
{
    place.folder.reset(openFolder(localPath.startsWith('/') ? "/" : "."));
    // Never empty: a name split at its separators is at least one part, and so is a link's text.
    QByteArrayList rest = localPath.split('/');
    for (int links = 0; place.folder.isOpen();) {
        const QByteArray name = rest.takeFirst();
        const bool last = rest.isEmpty();
        if (name.isEmpty() || name == ".") {
            if (last)
                return refused(EISDIR);  // a name that ends in a folder, as a link's text can
            continue;
        }
        // A folder on the way is held by what was opened, not by its name; O_NOFOLLOW, so that a
        // link there is looked at below before it is followed.
        if (!last) {
            const int next = ::openat(place.folder.get(), name.constData(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (next >= 0) {
                place.folder.reset(next);
                continue;
            }
            if (errno != ENOTDIR)
                return refused(errno);
        }
        struct stat status {};
        if (::fstatat(place.folder.get(), name.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
            if (!last || errno != ENOENT)
                return refused(errno);
            place.name = name;  // a new file
            return {};
        }
        if (S_ISLNK(status.st_mode)) {
            if (!mayFollow(place.folder.get(), status))
                return {Result::Kind::LinkNotFollowed};
            if (++links > mostLinks)
                return refused(ELOOP);
            const QByteArray text = linkText(place.folder.get(), name);
            if (text.isEmpty())
                return refused(errno);
            if (text.startsWith('/'))
                place.folder.reset(openFolder("/"));
            rest = text.split('/') + rest;
        } else if (!last) {
            return refused(ENOTDIR);
        } else if (S_ISDIR(status.st_mode)) {
            return refused(EISDIR);
        } else if (!S_ISREG(status.st_mode)) {
            return {Result::Kind::NotARegularFile};
        } else {
            place.name = name;
            place.hasEarlier = true;
            place.earlier = status;
            return {};
        }
    }
    return refused(errno);
}

} // namespace SaveFile
