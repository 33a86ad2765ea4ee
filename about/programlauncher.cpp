#include "about/programlauncher.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

bool SystemLauncher::fileExists(const QString &path) const
{
    // The tool named in the registry must be a file: a folder of that name is no program to start.
    return QFileInfo(path).isFile();
}

bool SystemLauncher::start(const QString &program)
{
    if (program.isEmpty())
        return false;
    return QProcess::startDetached(program, {});
}

QString SystemLauncher::findOnPath(const QString &name) const
{
    // A relative entry (".", "bin", a literal "~/bin", an empty one) names a folder below the
    // working folder, which is the folder of saved games: whatever was put there would be started.
    QStringList absoluteFolders;
    for (const QString &folder : qEnvironmentVariable("PATH").split(QDir::listSeparator()))
        if (QDir::isAbsolutePath(folder))
            absoluteFolders.append(folder);
    // Given no folders, Qt would search the whole PATH again, relative entries included.
    if (absoluteFolders.isEmpty())
        return {};
    return QStandardPaths::findExecutable(name, absoluteFolders);
}
