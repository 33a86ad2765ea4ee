#include "platform/windowsnames.h"

#include <QString>

namespace {

bool isSeparator(QChar c)
{
    return c == QLatin1Char('\\') || c == QLatin1Char('/');
}

bool isPortNumber(QChar c)
{
    return (c >= QLatin1Char('1') && c <= QLatin1Char('9')) || c == u'¹' || c == u'²' || c == u'³';
}

// The name as Windows compares it with its devices: up to the first dot or colon (an extension, a
// stream), without the blanks before that.
QStringView stem(QStringView name)
{
    qsizetype end = 0;
    while (end < name.size() && name[end] != QLatin1Char('.') && name[end] != QLatin1Char(':'))
        ++end;
    while (end > 0 && name[end - 1] == QLatin1Char(' '))
        --end;
    return name.first(end);
}

bool isDrive(QStringView path)
{
    return path.size() >= 3 && path[0].isLetter() && path[0].unicode() < 0x80 && path[1] == QLatin1Char(':')
           && isSeparator(path[2]);
}

// The length of "server\share\" at the front of `path`, or of "server\share" where nothing follows;
// 0 without a share.
qsizetype shareLength(QStringView path)
{
    qsizetype server = 0;
    while (server < path.size() && !isSeparator(path[server]))
        ++server;
    if (server == 0 || server + 1 >= path.size())
        return 0;
    qsizetype share = server + 1;
    while (share < path.size() && !isSeparator(path[share]))
        ++share;
    return share == server + 1 ? 0 : share < path.size() ? share + 1 : share;
}

} // namespace

bool isWindowsDeviceName(QStringView path)
{
    if (path.size() >= 4 && isSeparator(path[0]) && isSeparator(path[1]) && path[2] == QLatin1Char('.')
        && isSeparator(path[3]))
        return true;
    qsizetype start = path.size();
    while (start > 0 && !isSeparator(path[start - 1]))
        --start;
    // "C:nul" names the device as well: the drive belongs to the path, not to the name.
    QStringView name = path.sliced(start);
    if (start == 0 && name.size() >= 2 && name[1] == QLatin1Char(':'))
        name = name.sliced(2);
    const QStringView base = stem(name);
    for (const char *device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
        if (base.compare(QLatin1String(device), Qt::CaseInsensitive) == 0)
            return true;
    return base.size() == 4 && isPortNumber(base[3])
           && (base.first(3).compare(QLatin1String("COM"), Qt::CaseInsensitive) == 0
               || base.first(3).compare(QLatin1String("LPT"), Qt::CaseInsensitive) == 0);
}

qsizetype windowsRootLength(QStringView fullPath)
{
    if (isDrive(fullPath))
        return 3;
    if (fullPath.size() < 2 || !isSeparator(fullPath[0]) || !isSeparator(fullPath[1]))
        return 0;
    if (!fullPath.startsWith(QLatin1String("\\\\?\\"))) {
        const qsizetype share = shareLength(fullPath.sliced(2));
        return share > 0 ? 2 + share : 0;
    }
    const QStringView behind = fullPath.sliced(4);
    if (isDrive(behind))
        return 4 + 3;
    if (behind.startsWith(QLatin1String("UNC\\"), Qt::CaseInsensitive)) {
        const qsizetype share = shareLength(behind.sliced(4));
        return share > 0 ? 8 + share : 0;
    }
    return 0;
}
