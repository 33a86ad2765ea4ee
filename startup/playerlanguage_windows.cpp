#include "startup/playerlanguage.h"

#include <QLocale>

PlayerLanguage playerLanguage()
{
    // Windows' display languages, most wanted first ("de-DE", "en-GB"), as Qt reads them from the
    // system; LANGUAGE and the locale variables are Linux's and count for nothing here.
    for (const QString &language : QLocale::system().uiLanguages())
        if (const std::optional<PlayerLanguage> named = namedLanguage(language.toLatin1()))
            return *named;
    return PlayerLanguage::German;
}

QString qtTranslationsFolder()
{
    return QStringLiteral(":/translations");
}
