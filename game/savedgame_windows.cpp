#include "game/savedgamelist.h"

#include "platform/localnames.h"
#include "platform/windowsnames.h"

#include <QDir>
#include <QFile>

#include <windows.h>

namespace SavedGame {

namespace {

const wchar_t *wide(const QString &text)
{
    return reinterpret_cast<const wchar_t *>(text.utf16());
}

// A file, where the folder's entry says so; a link, when what it leads to is one.
bool isRegularFile(const QString &path, DWORD attributes)
{
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return false;
    if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return true;
    const HANDLE target = CreateFileW(wide(path), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (target == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION information{};
    const bool regular = GetFileType(target) == FILE_TYPE_DISK && GetFileInformationByHandle(target, &information)
                         && !(information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    CloseHandle(target);
    return regular;
}

} // namespace

QList<Listed> listFolder(const QByteArray &localFolder)
{
    QList<Listed> games;
    const QString folder = withTrailingSeparator(QDir::toNativeSeparators(QFile::decodeName(localFolder)));
    // Every name, filtered here: a pattern "*.txt" would also match files whose short 8.3 name
    // happens to end so.
    WIN32_FIND_DATAW entry{};
    const HANDLE search = FindFirstFileExW(wide(folder + QLatin1Char('*')), FindExInfoBasic, &entry,
                                           FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE)
        return games;
    do {
        const QString name = QString::fromWCharArray(entry.cFileName);
        const QByteArray local = QFile::encodeName(name);
        if (hasGameEnding(local) && !isWindowsDeviceName(name) && isRegularFile(folder + name, entry.dwFileAttributes))
            games.append({name, local});
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    sortForList(games);
    return games;
}

} // namespace SavedGame
