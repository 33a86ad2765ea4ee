#include "platform/regularfile.h"

#include "platform/windowsnames.h"
#include "platform/fileerrors.h"
#include "platform/windowserrors.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace RegularFile {

QString openForReading(QFile &file, const QByteArray &localPath, const QString &shownPath)
{
    // Qt names files in UTF-8 on Windows, and so do the bytes the game keeps of a name.
    const QString path = QDir::toNativeSeparators(QFile::decodeName(localPath));
    // Opening a port already sets its lines, and the console or NUL read without end: a device's
    // name is refused before anything is opened.
    if (isWindowsDeviceName(path))
        return notARegularFile(shownPath);
    // Backup semantics let a folder open too, so that it is told as a folder; others may go on
    // reading, writing and renaming the file meanwhile.
    const HANDLE handle = CreateFileW(reinterpret_cast<const wchar_t *>(path.utf16()), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return openErrorText(errnoForWindowsError(GetLastError()), shownPath);
    BY_HANDLE_FILE_INFORMATION information{};
    QString refusal;
    if (GetFileType(handle) != FILE_TYPE_DISK)  // a pipe or a device under another name
        refusal = notARegularFile(shownPath);
    else if (!GetFileInformationByHandle(handle, &information))
        refusal = openErrorText(errnoForWindowsError(GetLastError()), shownPath);
    else if (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        refusal = openErrorText(EISDIR, shownPath);
    if (!refusal.isEmpty()) {
        CloseHandle(handle);
        return refusal;
    }
    // Qt reads a file it is handed by the C library's number for it, which then owns the handle.
    const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
    if (descriptor < 0) {
        CloseHandle(handle);
        return openErrorText(EIO, shownPath);
    }
    if (!file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        _close(descriptor);
        return fileErrorText(file, shownPath);
    }
    return {};
}

} // namespace RegularFile
