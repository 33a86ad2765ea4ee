// `brummo --help` and `brummo --version` answer on the terminal and end; every other command line
// starts the game. The program runs with a Qt platform that does not exist, so a start of the game
// ends at once, before any window, without printing anything on the standard output.
#include <QtTest>

#include <algorithm>

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void answersOrStartsTheGame_data()
    {
        QTest::addColumn<QByteArray>("languages");        // LANGUAGE, the player's languages
        QTest::addColumn<QByteArray>("locale");           // LC_ALL, whose character set the answer is written in
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("answers");            // ends with status 0 without starting the game
        QTest::addColumn<QByteArrayList>("lines");    // lines the answer must hold
        const QByteArrayList usage{"Aufruf: brummo [OPTION …]",
                                   "  --help            zeigt diese Hilfe und endet",
                                   "  --version         zeigt die Version und endet",
                                   "  --from-menu       so startet der Menüeintrag: Spielstände liegen dann in",
                                   "  -platform NAME    die Qt-Plattform: xcb (X11), wayland oder offscreen",
                                   "Qts übrige Optionen gelten auch; alle anderen Angaben übergeht das Spiel."};
        const QByteArrayList version{"Brummo on the run 1.0"};
        const auto german = [](const char *tag, const QStringList &arguments, bool answers,
                               const QByteArrayList &lines) {
            QTest::newRow(tag) << QByteArray("de") << QByteArray("C.UTF-8") << arguments << answers << lines;
        };
        german("--help", {"--help"}, true, usage);
        german("--version", {"--version"}, true, version);
        german("--help after Qt's options", {"-platform", "xcb", "--help"}, true, usage);
        german("the first of both", {"--version", "--help"}, true, version);
        german("none", {}, false, {});
        german("the menu's", {"--from-menu"}, false, {});
        german("a Qt option", {"-reverse"}, false, {});
        german("near --help", {"--helpme", "-h", "--Version"}, false, {});
        QTest::newRow("--help in English") << QByteArray("fr:en:de") << QByteArray("C.UTF-8") << QStringList{"--help"}
                                           << true
                                           << QByteArrayList{"Usage: brummo [OPTION]...",
                                                             "“Brummo on the run” is a small reaction game: click the "
                                                             "pictures that pop up in front of",
                                                             "  --help            show this help and exit"};
        // A terminal that is not UTF-8 gets plain ASCII.
        QTest::newRow("--help in German, C locale")
            << QByteArray("de") << QByteArray("C") << QStringList{"--help"} << true
            << QByteArrayList{"Aufruf: brummo [OPTION ...]",
                              "\"Brummo on the run\" ist ein kleines Reaktionsspiel: Klick die Bilder an, die vor "
                              "Brummos Haus",
                              "  --from-menu       so startet der Menueeintrag: Spielstaende liegen dann in",
                              "Qts uebrige Optionen gelten auch; alle anderen Angaben uebergeht das Spiel.",
                              "Mehr dazu in \"man brummo\"."};
        QTest::newRow("--help in English, Latin-1 locale")
            << QByteArray("en") << QByteArray("en_GB.ISO-8859-1") << QStringList{"--help"} << true
            << QByteArrayList{"\"Brummo on the run\" is a small reaction game: click the pictures that pop up in "
                              "front of",
                              "See \"man brummo\" for more."};
    }

    void answersOrStartsTheGame()
    {
        QFETCH(QByteArray, languages);
        QFETCH(QByteArray, locale);
        QFETCH(QStringList, arguments);
        QFETCH(bool, answers);
        QFETCH(QByteArrayList, lines);
        QProcess brummo;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("no-such-platform"));
        environment.insert(QStringLiteral("LANGUAGE"), QString::fromLatin1(languages));
        environment.insert(QStringLiteral("LC_ALL"), QString::fromLatin1(locale));
        brummo.setProcessEnvironment(environment);
        brummo.start(QStringLiteral(BRUMMO_PROGRAM), arguments);
        QVERIFY(brummo.waitForFinished(60000));
        const QByteArray output = brummo.readAllStandardOutput();
        QCOMPARE(brummo.exitStatus() == QProcess::NormalExit && brummo.exitCode() == 0, answers);
        QCOMPARE(output.isEmpty(), !answers);
        const QByteArrayList shown = output.split('\n');
        for (const QByteArray &line : lines)
            QVERIFY2(shown.contains(line), line + "\nnot in:\n" + output);
        if (!locale.endsWith("UTF-8"))
            QVERIFY2(std::all_of(output.cbegin(), output.cend(), [](char byte) { return (byte & 0x80) == 0; }),
                     output);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_commandline.moc"
