#include "about/programlauncher.h"

#include <QProcess>

bool SystemLauncher::start(const QString &program)
{
    if (program.isEmpty())
        return false;
    return QProcess::startDetached(program, {});
}
