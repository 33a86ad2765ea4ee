// How Windows reads a path: the names it keeps for its devices, and where a full path's root ends.
// A rule of names alone, so it is checked on every system.
#include "platform/windowsnames.h"

#include <QTest>

class TestWindowsNames : public QObject {
    Q_OBJECT

private slots:
    void deviceNames_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("device");
        const auto row = [](const QString &path, bool device) { QTest::addRow("%s", qPrintable(path)) << path << device; };
        for (const char *path : {"CON", "con", "nul.txt", "Com1.spiel.txt", "prn.", "AUX  .wav", "lpt9", "COM\u00b9",
                                 "LPT\u00b3.txt", "conin$", "CONOUT$.txt", "nul:strom", "C:\\spiele\\NUL",
                                 "spiele/aux.txt", "C:nul", "C:nul.txt", "\\\\.\\COM1", "//./PhysicalDrive0"})
            row(QString::fromUtf8(path), true);
        for (const char *path : {"", "spiel.txt", "console.txt", "nulx", "xcon", "COM0", "COM10", "LPT", "com1x.txt",
                                 "LPT\u2074", "C:\\con\\spiel.txt", "nul\\spiel.txt", "C:", "\\\\server\\share\\con.d\\x",
                                 "\\\\.", "a.con"})
            row(QString::fromUtf8(path), false);
    }

    void deviceNames()
    {
        QFETCH(QString, path);
        QFETCH(bool, device);
        QCOMPARE(isWindowsDeviceName(path), device);
    }

    void rootLength_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("length");
        const auto row = [](const char *path, int length) { QTest::addRow("%s", path) << QString::fromUtf8(path) << length; };
        row("C:\\spiele\\x.txt", 3);
        row("c:/spiele", 3);
        row("C:\\", 3);
        row("C:", 0);
        row("C:spiel.txt", 0);
        row("\u00c4:\\x", 0);
        row("1:\\x", 0);
        row("\\\\server\\share\\x.txt", 15);
        row("\\\\server\\share", 14);
        row("\\\\server\\", 0);
        row("\\\\server", 0);
        row("\\\\?\\C:\\x", 7);
        row("\\\\?\\UNC\\srv\\sh\\x", 15);
        row("\\\\?\\unc\\srv\\sh", 14);
        row("\\\\?\\UNC\\srv", 0);
        row("\\\\?\\Volume{1}\\x", 0);
        row("\\spiele\\x", 0);
        row("spiele\\x", 0);
        row("", 0);
    }

    void rootLength()
    {
        QFETCH(QString, path);
        QFETCH(int, length);
        QCOMPARE(windowsRootLength(path), qsizetype(length));
    }
};

QTEST_APPLESS_MAIN(TestWindowsNames)
#include "test_windowsnames.moc"
