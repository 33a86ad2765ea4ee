#include "platform/regularfile.h"

#include <QCoreApplication>

namespace RegularFile {

QString notARegularFile(const QString &shownPath)
{
    return QCoreApplication::translate("RegularFile", "Das ist keine gewöhnliche Datei, sondern ein Gerät, "
                                                      "eine Pipe oder ein Socket:\n%1")
        .arg(shownPath);
}

} // namespace RegularFile
