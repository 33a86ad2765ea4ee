#include "platform/windowserrors.h"

#include <cerrno>
#include <windows.h>

namespace {

// ERROR_DISK_QUOTA_EXCEEDED, which Windows' own headers have and mingw-w64's lack.
constexpr unsigned long diskQuotaExceeded = 1295;

} // namespace

int errnoForWindowsError(unsigned long windowsError)
{
    switch (windowsError) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        return ENOENT;
    case ERROR_DIRECTORY:
        return ENOTDIR;
    case ERROR_ACCESS_DENIED:
    case ERROR_PRIVILEGE_NOT_HELD:
    case ERROR_NETWORK_ACCESS_DENIED:
        return EACCES;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
    case diskQuotaExceeded:
        return ENOSPC;
    case ERROR_FILENAME_EXCED_RANGE:
        return ENAMETOOLONG;
    // Another program, or a second game saving under the same name, holds the file.
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return EWOULDBLOCK;
    case ERROR_INVALID_NAME:
        return EINVAL;
    case ERROR_CANT_RESOLVE_FILENAME:  // links that lead round in a circle
        return ELOOP;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return EEXIST;
    default:
        return EIO;
    }
}
