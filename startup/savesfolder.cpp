#include "startup/savesfolder.h"

#include "startup/savesfoldernote.h"

QString enterSavesFolder(const QStringList &folders, const std::function<bool(const QString &)> &enter,
                         const PlayerTexts &texts)
{
    if (folders.isEmpty())
        return {};
    for (qsizetype i = 0; i < folders.size(); ++i) {
        if (!enter(folders[i]))
            continue;
        // Both folders in one pass, so that a folder whose name holds "%2" stays as it is.
        return i == 0 ? QString()
                      : savesFolderSentence(texts, FolderMeant::SavesFolder, FolderTaken::Other)
                            .arg(folders.first(), folders[i]);
    }
    return savesFolderSentence(texts, FolderMeant::SavesFolder, FolderTaken::None).arg(folders.first());
}
