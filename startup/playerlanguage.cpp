#include "startup/playerlanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

PlayerLanguage chooseLanguage(const QStringList &uiLanguages)
{
    for (const QString &name : uiLanguages) {
        switch (QLocale(name).language()) {
        case QLocale::German:
            return PlayerLanguage::German;
        case QLocale::English:
            return PlayerLanguage::English;
        default:
            break;
        }
    }
    return PlayerLanguage::German;
}

PlayerTexts::PlayerTexts(PlayerLanguage language)
{
    // German needs only Qt's German texts ("Abbrechen"); in English Qt's own are already English,
    // and the game's come from its resources.
    loaded = language == PlayerLanguage::German
                 ? texts.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                              QLibraryInfo::path(QLibraryInfo::TranslationsPath))
                 : texts.load(QStringLiteral(":/translations/brummo_en.qm"));
    if (QCoreApplication::instance())
        install();
}

void PlayerTexts::install()
{
    if (loaded)
        QCoreApplication::installTranslator(&texts);
}

QString PlayerTexts::translate(const char *context, const char *sourceText) const
{
    const QString translated = texts.translate(context, sourceText);
    return translated.isEmpty() ? QString::fromUtf8(sourceText) : translated;
}
