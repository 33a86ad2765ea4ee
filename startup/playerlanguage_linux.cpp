#include "startup/playerlanguage.h"

#include <QLibraryInfo>

#include <cstdlib>

namespace {

QByteArrayView environmentVariable(const char *name)
{
    const char *value = std::getenv(name);
    return value ? QByteArrayView(value) : QByteArrayView();
}

} // namespace

PlayerLanguage playerLanguage()
{
    return chooseLanguage({environmentVariable("LANGUAGE"), environmentVariable("LC_ALL"),
                           environmentVariable("LC_MESSAGES"), environmentVariable("LANG")});
}

QString qtTranslationsFolder()
{
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}
