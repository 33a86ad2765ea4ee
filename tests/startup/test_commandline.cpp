// `brummo --help` and `brummo --version` answer on the terminal and end; every other command line
// starts the game. The program runs with a Qt platform that does not exist, so a start of the game
// ends at once, before any window, without printing anything on the standard output. Where no
// display can be reached, it says so in one line.
#include "startup/exitwithoutdisplay.h"
#include "startup/playerlanguage.h"

#include <QtTest>

#include <algorithm>

namespace {

struct Ended {
    bool exited;   // by itself, not by a signal
    int status;
    QByteArray output;
    QByteArray errors;
};

// The program in a terminal without a display: no X11 or Wayland display to be found.
Ended runBrummo(const QByteArray &languages, const QByteArray &locale, const QStringList &arguments,
                const QString &platform)
{
    QTemporaryDir runtimeFolder;  // a valid one, so that Wayland's library has nothing to say of it
    QProcess brummo;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    environment.insert(QStringLiteral("LANGUAGE"), QString::fromLatin1(languages));
    environment.insert(QStringLiteral("LC_ALL"), QString::fromLatin1(locale));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeFolder.path());
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    brummo.setProcessEnvironment(environment);
    brummo.start(QStringLiteral(BRUMMO_PROGRAM), arguments);
    if (!brummo.waitForFinished(60000))
        qFatal("brummo did not end");
    return {brummo.exitStatus() == QProcess::NormalExit, brummo.exitCode(), brummo.readAllStandardOutput(),
            brummo.readAllStandardError()};
}

} // namespace

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
        const Ended brummo = runBrummo(languages, locale, arguments, QStringLiteral("no-such-platform"));
        QCOMPARE(brummo.exited && brummo.status == 0, answers);
        QCOMPARE(brummo.output.isEmpty(), !answers);
        const QByteArrayList shown = brummo.output.split('\n');
        for (const QByteArray &line : lines)
            QVERIFY2(shown.contains(line), line + "\nnot in:\n" + brummo.output);
        if (!locale.endsWith("UTF-8"))
            QVERIFY2(std::all_of(brummo.output.cbegin(), brummo.output.cend(),
                                 [](char byte) { return (byte & 0x80) == 0; }),
                     brummo.output);
    }

    // Qt's own way would be abort(), a core dump and a page of plugin names.
    void withoutDisplaySaysWhyInOneLine_data()
    {
        QTest::addColumn<QByteArray>("languages");
        QTest::addColumn<QByteArray>("locale");
        QTest::addColumn<QString>("platform");
        QTest::addColumn<QByteArray>("line");
        const QByteArray german = "Brummo: Keine Anzeige für die Fenster erreichbar; DISPLAY, WAYLAND_DISPLAY oder "
                                  "QT_QPA_PLATFORM prüfen.\n";
        const QByteArray english = "Brummo: no display to show the windows on; check DISPLAY, WAYLAND_DISPLAY or "
                                   "QT_QPA_PLATFORM.\n";
        const QByteArray utf8 = "C.UTF-8";
        QTest::newRow("X11") << QByteArray("de") << utf8 << "xcb" << german;
        QTest::newRow("X11 in English") << QByteArray("en") << utf8 << "xcb" << english;
        QTest::newRow("Wayland") << QByteArray("de") << utf8 << "wayland" << german;
        QTest::newRow("unknown platform") << QByteArray("en") << utf8 << "no-such-platform" << english;
        QTest::newRow("X11, C locale")
            << QByteArray("de") << QByteArray("C") << "xcb"
            << QByteArray("Brummo: Keine Anzeige fuer die Fenster erreichbar; DISPLAY, WAYLAND_DISPLAY oder "
                          "QT_QPA_PLATFORM pruefen.\n");
    }

    void withoutDisplaySaysWhyInOneLine()
    {
        QFETCH(QByteArray, languages);
        QFETCH(QByteArray, locale);
        QFETCH(QString, platform);
        QFETCH(QByteArray, line);
        const Ended brummo = runBrummo(languages, locale, {}, platform);
        QVERIFY(brummo.exited);
        QCOMPARE(brummo.status, 1);
        QCOMPARE(brummo.output, QByteArray());
        QCOMPARE(brummo.errors, line);
    }

    // Held back while the application is made, Qt's messages of a start that succeeds still come.
    void messagesMeanwhileComeAfterwards()
    {
        static QStringList received;
        received.clear();
        const QLoggingCategory testCategory("brummo.test");
        const QtMessageHandler before = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext &context, const QString &text) {
                received.append(QStringLiteral("%1 %2 %3").arg(type).arg(QString::fromLatin1(context.category), text));
            });
        const auto restore = qScopeGuard([&] { qInstallMessageHandler(before); });
        {
            const PlayerTexts texts(PlayerLanguage::German);
            const ExitWithoutDisplay withoutDisplay(texts);
            qWarning("erste");
            qCCritical(testCategory, "zweite");
            QCOMPARE(received, QStringList());
        }
        qInfo("dritte");
        QCOMPARE(received, (QStringList{QStringLiteral("%1 default erste").arg(QtWarningMsg),
                                        QStringLiteral("%1 brummo.test zweite").arg(QtCriticalMsg),
                                        QStringLiteral("%1 default dritte").arg(QtInfoMsg)}));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_commandline.moc"
