#include "platform/localnames.h"

#include <QStringDecoder>

QString withTrailingSeparator(const QString &folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

QByteArray withTrailingSeparator(const QByteArray &localFolder)
{
    return localFolder.endsWith('/') ? localFolder : localFolder + '/';
}

QString readableName(const QByteArray &local)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString decoded = utf8(local);
    return utf8.hasError() ? QString::fromLatin1(local) : decoded;
}
