#include "about/frmabout.h"
#include "about/programlauncher.h"
#include "about/registry.h"
#include "tests/support/fakedialogs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The real launcher on this machine, with a search path the test makes.
class AboutLauncherTest final : public QObject {
    Q_OBJECT

private:
    QByteArray savedPath;
    std::optional<QTemporaryDir> folder;

    QString pathFolder() const { return folder->filePath(QStringLiteral("bin")); }
    QString marker(const QString &program) const { return folder->filePath(program + QStringLiteral(".gestartet")); }

    // A stand-in program that leaves a marker file behind when it runs.
    void install(const QString &program, bool executable = true)
    {
        QFile script(QDir(pathFolder()).filePath(program));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\n: > '" + marker(program).toLocal8Bit() + "'\n");
        script.close();
        QFileDevice::Permissions permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
        if (executable)
            permissions |= QFileDevice::ExeOwner;
        QVERIFY(script.setPermissions(permissions));
    }

private slots:
    void initTestCase() { savedPath = qgetenv("PATH"); }

    void init()
    {
        folder.emplace();
        QVERIFY(folder->isValid());
        QVERIFY(QDir(folder->path()).mkdir(QStringLiteral("bin")));
        qputenv("PATH", pathFolder().toLocal8Bit());
    }

    void cleanup()
    {
        qputenv("PATH", savedPath);
        folder.reset();
    }

    void fileExists_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("exists");
        QTest::newRow("a file") << "datei.exe" << true;
        QTest::newRow("a folder") << "ordner" << false;
        QTest::newRow("nothing") << "fehlt.exe" << false;
    }

    void fileExists()
    {
        QFETCH(QString, name);
        QFETCH(bool, exists);
        QFile file(folder->filePath(QStringLiteral("datei.exe")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(QDir(folder->path()).mkdir(QStringLiteral("ordner")));
        SystemLauncher launcher;
        QCOMPARE(launcher.fileExists(folder->filePath(name)), exists);
    }

    void findOnPath()
    {
        install(QStringLiteral("hardinfo"));
        install(QStringLiteral("kinfocenter"), false);
        SystemLauncher launcher;
        QCOMPARE(launcher.findOnPath(QStringLiteral("hardinfo")), QDir(pathFolder()).filePath(QStringLiteral("hardinfo")));
        QCOMPARE(launcher.findOnPath(QStringLiteral("kinfocenter")), QString());
        QCOMPARE(launcher.findOnPath(QStringLiteral("gnome-system-monitor")), QString());
    }

    void startFailsWithoutAProgram_data()
    {
        QTest::addColumn<QString>("program");
        QTest::newRow("empty") << "";
        QTest::newRow("missing file") << "/gibt/es/nicht/msinfo32";
    }

    void startFailsWithoutAProgram()
    {
        QFETCH(QString, program);
        SystemLauncher launcher;
        QVERIFY(!launcher.start(program));
    }

#ifndef _WIN32
    void startSysInfo_data()
    {
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QStringList>("notExecutable");
        QTest::addColumn<QString>("started");   // empty: the message
        QTest::newRow("empty search path") << QStringList() << QStringList() << "";
        QTest::newRow("hardinfo") << QStringList{"hardinfo"} << QStringList() << "hardinfo";
        QTest::newRow("kinfocenter") << QStringList{"kinfocenter"} << QStringList() << "kinfocenter";
        QTest::newRow("gnome-system-monitor") << QStringList{"gnome-system-monitor"} << QStringList()
                                              << "gnome-system-monitor";
        QTest::newRow("all three: hardinfo first")
            << QStringList{"gnome-system-monitor", "kinfocenter", "hardinfo"} << QStringList() << "hardinfo";
        QTest::newRow("not executable is not found") << QStringList() << QStringList{"hardinfo"} << "";
        QTest::newRow("an executable after one that is not")
            << QStringList{"kinfocenter"} << QStringList{"hardinfo"} << "kinfocenter";
    }

    void startSysInfo()
    {
        QFETCH(QStringList, installed);
        QFETCH(QStringList, notExecutable);
        QFETCH(QString, started);
        for (const QString &program : installed)
            install(program);
        for (const QString &program : notExecutable)
            install(program, false);
        FakeDialogs dialogs;
        NoRegistry registry;
        SystemLauncher launcher;
        frmAbout about(dialogs, registry, launcher);

        about.StartSysInfo();

        if (started.isEmpty()) {
            QCOMPARE(dialogs.texts(), QStringList{QStringLiteral("Systeminformationen sind momentan nicht verfügbar")});
            QCOMPARE(dialogs.shown[0].icon, Dialogs::Icon::None);
            QCOMPARE(dialogs.shown[0].title, Dialogs::applicationTitle);
        } else {
            QVERIFY(dialogs.shown.isEmpty());
            QTRY_VERIFY(QFile::exists(marker(started)));
        }
        for (const QString &program : installed + notExecutable)
            if (program != started)
                QVERIFY2(!QFile::exists(marker(program)), qPrintable(program));
    }
#endif
};

QTEST_MAIN(AboutLauncherTest)
#include "tst_aboutlauncher.moc"
