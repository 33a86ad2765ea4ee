// The game speaks the first of the player's languages it knows, German unless English comes first.
#include "startup/playerlanguage.h"

#include <QTest>

Q_DECLARE_METATYPE(PlayerLanguage)

class TestPlayerLanguage : public QObject {
    Q_OBJECT

private slots:
    void firstKnownLanguageWins_data()
    {
        QTest::addColumn<QStringList>("uiLanguages");  // as QLocale::uiLanguages() lists them
        QTest::addColumn<PlayerLanguage>("spoken");
        QTest::newRow("German") << QStringList{"de-DE", "de-Latn-DE", "de"} << PlayerLanguage::German;
        QTest::newRow("Austrian German, then English") << QStringList{"de-AT", "en-GB"} << PlayerLanguage::German;
        QTest::newRow("English") << QStringList{"en-US", "en-Latn-US", "en"} << PlayerLanguage::English;
        QTest::newRow("British English, then German") << QStringList{"en-GB", "de"} << PlayerLanguage::English;
        QTest::newRow("French, then English") << QStringList{"fr", "fr-FR", "en"} << PlayerLanguage::English;
        QTest::newRow("French, then German") << QStringList{"fr-FR", "de-CH"} << PlayerLanguage::German;
        QTest::newRow("French only") << QStringList{"fr-FR", "fr"} << PlayerLanguage::German;
        QTest::newRow("C") << QStringList{"C"} << PlayerLanguage::German;
        QTest::newRow("none") << QStringList{} << PlayerLanguage::German;
    }

    void firstKnownLanguageWins()
    {
        QFETCH(QStringList, uiLanguages);
        QFETCH(PlayerLanguage, spoken);
        QCOMPARE(chooseLanguage(uiLanguages), spoken);
    }
};

QTEST_GUILESS_MAIN(TestPlayerLanguage)
#include "test_playerlanguage.moc"
