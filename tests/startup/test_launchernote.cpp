// The line the game prints for what the launcher tells it: which sentence, and each folder as it
// was given, byte for byte.
#include "startup/launchernote.h"
#include "startup/playerlanguage.h"

#include <QTest>

class TestLauncherNote : public QObject {
    Q_OBJECT

private slots:
    // The line is written in the terminal's character set; these rows expect UTF-8.
    void initTestCase() { qputenv("LC_ALL", "C.UTF-8"); }

    void saysWhereTheGameRuns_data()
    {
        QTest::addColumn<QByteArrayList>("arguments");
        QTest::addColumn<QByteArray>("line");
        const QByteArray menuReason = "Brummo: Ordner für Spielstände nicht beschreibbar (/data/brummo), ";
        const QByteArray terminalReason = "Brummo: Ordner nicht beschreibbar (/), ";
        const QByteArray ownFolder = ", deinem eigenen Ordner, den das System beim Abmelden leert.\n";
        const QByteArray nowhere =
            "und kein anderer Ordner ist beschreibbar: Spielstände lassen sich nicht speichern.\n";
        QTest::newRow("from the menu, at home")
            << QByteArrayList{"--data-folder-not-writable=/data/brummo", "--saving-in=/home/p"}
            << menuReason + "gespeichert wird in /home/p.\n";
        QTest::newRow("from the menu, in the runtime folder")
            << QByteArrayList{"--data-folder-not-writable=/data/brummo", "--saving-in-runtime-folder=/run/user/7"}
            << menuReason + "gespeichert wird in /run/user/7" + ownFolder;
        QTest::newRow("from the menu, nowhere")
            << QByteArrayList{"--data-folder-not-writable=/data/brummo"} << menuReason + nowhere;
        QTest::newRow("from a terminal, in /tmp")
            << QByteArrayList{"--folder-not-writable=/", "--saving-in=/tmp"}
            << terminalReason + "gespeichert wird in /tmp.\n";
        QTest::newRow("from a terminal, in the runtime folder, the player's arguments after")
            << QByteArrayList{"--folder-not-writable=/", "--saving-in-runtime-folder=/run/user/7", "--help"}
            << terminalReason + "gespeichert wird in /run/user/7" + ownFolder;
        QTest::newRow("from a terminal, nowhere") << QByteArrayList{"--folder-not-writable=/"} << terminalReason + nowhere;
        QTest::newRow("folders with placeholders, backslashes and Latin-1")
            << QByteArrayList{"--folder-not-writable=/%2\\c\\n", "--saving-in=/Spielst\xe4nde %1"}
            << QByteArray("Brummo: Ordner nicht beschreibbar (/%2\\c\\n), gespeichert wird in /Spielst\xe4nde %1.\n");
        QTest::newRow("not moved") << QByteArrayList{"--from-menu", "-platform", "offscreen"} << QByteArray();
        QTest::newRow("only where to") << QByteArrayList{"--saving-in=/tmp"} << QByteArray();
    }

    void saysWhereTheGameRuns()
    {
        QFETCH(QByteArrayList, arguments);
        QFETCH(QByteArray, line);
        std::vector<const char *> argv{"brummo"};
        for (const QByteArray &argument : arguments)
            argv.push_back(argument.constData());
        const PlayerTexts german(PlayerLanguage::German);
        QCOMPARE(launcherNote(int(argv.size()), argv.data(), german), line);
    }
};

QTEST_GUILESS_MAIN(TestLauncherNote)
#include "test_launchernote.moc"
