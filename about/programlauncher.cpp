#include "about/programlauncher.h"

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
    return QStandardPaths::findExecutable(name);
}
