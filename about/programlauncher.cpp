#include "about/programlauncher.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

bool SystemLauncher::fileExists(const QString &path) const
{
    // The original looked the name up as a file with normal attributes, which finds no folder.
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
