#include "game/savedgamelist.h"

#include "platform/localnames.h"

#include <dirent.h>
#include <sys/stat.h>

namespace SavedGame {

QList<Listed> listFolder(const QByteArray &localFolder)
{
    // Read by hand: Qt's own listing leaves out names that are not valid UTF-8.
    QList<Listed> games;
    DIR *directory = ::opendir(localFolder.constData());
    if (!directory)
        return games;
    while (const dirent *entry = ::readdir(directory)) {
        const QByteArray name(entry->d_name);
        if (!hasGameEnding(name))
            continue;
        struct stat status {};
        if (::fstatat(::dirfd(directory), entry->d_name, &status, 0) != 0 || !S_ISREG(status.st_mode))
            continue;
        games.append({readableName(name), name});
    }
    ::closedir(directory);
    sortForList(games);
    return games;
}

} // namespace SavedGame
