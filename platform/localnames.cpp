#include "platform/localnames.h"

#include <QDir>
#include <QStringDecoder>

QString withTrailingSeparator(const QString &folder)
{
    const QChar separator = QDir::separator();
    return folder.endsWith(separator) ? folder : folder + separator;
}

QByteArray withTrailingSeparator(const QByteArray &localFolder)
{
    const char separator = char(QDir::separator().unicode());
    return localFolder.endsWith(separator) ? localFolder : localFolder + separator;
}

QString readableName(const QByteArray &local)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString decoded = utf8(local);
    return utf8.hasError() ? QString::fromLatin1(local) : decoded;
}
