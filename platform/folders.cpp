#include "platform/folders.h"

#include <QCoreApplication>
#include <QDir>

QString withTrailingSeparator(const QString &folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

QString SystemFolders::programFolder() const
{
    return QCoreApplication::applicationDirPath();
}

QString SystemFolders::workingFolder() const
{
    return QDir::currentPath();
}
