// `brummo --help` and `brummo --version` answer on the terminal and end; every other command line
// starts the game. The program runs with a Qt platform that does not exist, so a start of the game
// ends at once, before any window, without printing anything on the standard output.
#include <QtTest>

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void answersOrStartsTheGame_data()
    {
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
        QTest::newRow("--help") << QStringList{"--help"} << true << usage;
        QTest::newRow("--version") << QStringList{"--version"} << true << version;
        QTest::newRow("--help after Qt's options") << QStringList{"-platform", "xcb", "--help"} << true << usage;
        QTest::newRow("the first of both") << QStringList{"--version", "--help"} << true << version;
        QTest::newRow("none") << QStringList{} << false << QByteArrayList{};
        QTest::newRow("the menu's") << QStringList{"--from-menu"} << false << QByteArrayList{};
        QTest::newRow("a Qt option") << QStringList{"-reverse"} << false << QByteArrayList{};
        QTest::newRow("near --help") << QStringList{"--helpme", "-h", "--Version"} << false << QByteArrayList{};
    }

    void answersOrStartsTheGame()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, answers);
        QFETCH(QByteArrayList, lines);
        QProcess brummo;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("no-such-platform"));
        brummo.setProcessEnvironment(environment);
        brummo.start(QStringLiteral(BRUMMO_PROGRAM), arguments);
        QVERIFY(brummo.waitForFinished(60000));
        const QByteArray output = brummo.readAllStandardOutput();
        QCOMPARE(brummo.exitStatus() == QProcess::NormalExit && brummo.exitCode() == 0, answers);
        QCOMPARE(output.isEmpty(), !answers);
        const QByteArrayList shown = output.split('\n');
        for (const QByteArray &line : lines)
            QVERIFY2(shown.contains(line), line + "\nnot in:\n" + output);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_commandline.moc"
