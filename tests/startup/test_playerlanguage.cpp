// The game speaks the first of the player's languages it knows, German unless English comes first.
#include "startup/playerlanguage.h"

#include <QTest>

Q_DECLARE_METATYPE(PlayerLanguage)

class TestPlayerLanguage : public QObject {
    Q_OBJECT

private slots:
    void firstKnownLanguageWins_data()
    {
        QTest::addColumn<QByteArray>("language");  // LANGUAGE
        QTest::addColumn<QByteArray>("lcAll");
        QTest::addColumn<QByteArray>("lcMessages");
        QTest::addColumn<QByteArray>("lang");
        QTest::addColumn<PlayerLanguage>("spoken");
        const auto row = [](const char *tag, const QByteArray &language, const QByteArray &lcAll,
                            const QByteArray &lcMessages, const QByteArray &lang, PlayerLanguage spoken) {
            QTest::newRow(tag) << language << lcAll << lcMessages << lang << spoken;
        };
        const PlayerLanguage german = PlayerLanguage::German;
        const PlayerLanguage english = PlayerLanguage::English;
        row("German", "de_DE:de-Latn-DE:de", "", "", "", german);
        row("Austrian German, then English", "de-AT:en-GB", "", "", "", german);
        row("English", "en_US:en-Latn-US:en", "", "", "", english);
        row("British English, then German", "en_GB:de", "", "", "", english);
        row("French, then English", "fr:fr_FR:en", "", "", "", english);
        row("French, then German", "fr_FR:de_CH", "", "", "", german);
        row("French only", "fr_FR:fr", "", "", "", german);
        row("C", "", "", "", "C", german);
        row("none", "", "", "", "", german);

        // LANGUAGE, when set, is the whole list: the locale does not add to it.
        row("French before an English LANG", "fr", "", "", "en_US.UTF-8", german);
        row("French before an English LC_ALL", "fr_FR", "en_GB.UTF-8", "", "", german);
        row("German with a territory, then English", "de-DE:en", "", "", "", german);
        row("English before a German LANG", "en_GB:fr", "", "", "de_DE.UTF-8", english);
        row("an empty entry before English", ":en", "", "", "de_DE.UTF-8", english);
        row("only empty entries", "::", "", "", "en_US.UTF-8", german);
        row("names no language", "*", "", "", "en_US.UTF-8", german);
        row("names no language, then English", "*:en", "", "", "de_DE.UTF-8", english);
        row("blanks do not separate", "fr en", "", "", "", german);
        row("a long name of English", "english", "", "", "", german);

        // Codes in any case and form.
        row("English, BCP 47", "en-US", "", "", "", english);
        row("English in capitals", "EN", "", "", "", english);
        row("mixed case", "En_gb.UTF-8", "", "", "", english);
        row("with a modifier", "en@quot", "", "", "", english);
        row("German with a modifier, then English", "de@euro:en", "", "", "", german);

        // Without LANGUAGE the locale for messages: LC_ALL, then LC_MESSAGES, then LANG.
        row("LC_ALL before LANG", "", "en_US.UTF-8", "", "de_DE.UTF-8", english);
        row("LC_MESSAGES before LANG", "", "", "en_GB.UTF-8", "de_DE.UTF-8", english);
        row("LC_ALL before LC_MESSAGES", "", "de_DE.UTF-8", "en_US.UTF-8", "", german);
        row("LANG alone", "", "", "", "en_US.UTF-8", english);
        row("C.UTF-8", "", "", "", "C.UTF-8", german);

        // The C and POSIX locales name no language: LANGUAGE still counts.
        row("English under LANG=C", "en", "", "", "C", english);
        row("English under LC_ALL=POSIX", "en", "POSIX", "", "de_DE.UTF-8", english);
        row("French, then English under LC_ALL=C", "fr:en", "C", "", "", english);

        // As long as exec allows: read once from the front, and as soon as one is known.
        const QByteArray fortyThreeThousandFrench = QByteArray("fr:").repeated(43000);
        row("English after 43 000 entries", fortyThreeThousandFrench + "en", "", "", "de_DE.UTF-8", english);
        row("43 000 entries, none known", fortyThreeThousandFrench, "", "", "en_US.UTF-8", german);
    }

    void firstKnownLanguageWins()
    {
        QFETCH(QByteArray, language);
        QFETCH(QByteArray, lcAll);
        QFETCH(QByteArray, lcMessages);
        QFETCH(QByteArray, lang);
        QFETCH(PlayerLanguage, spoken);
        QCOMPARE(chooseLanguage({language, lcAll, lcMessages, lang}), spoken);
    }
};

QTEST_GUILESS_MAIN(TestPlayerLanguage)
#include "test_playerlanguage.moc"
