#include "about/frmabout.h"
#include "tests/about/fakelauncher.h"
#include "tests/about/fakeregistry.h"
#include "tests/support/fakedialogs.h"

#include <QTest>

namespace {

const QString infoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString locationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString notAvailable = QStringLiteral("Systeminformationen sind momentan nicht verfügbar");

constexpr std::uint32_t typeExpandString = 2;   // REG_EXPAND_SZ
constexpr std::uint32_t typeBinary = 3;         // REG_BINARY

QByteArray zeroEnded(const char *text)
{
    return QByteArray(text) + '\0';
}

// What the registry and the file system hold in one case.
struct Scene {
    struct Entry {
        QString key;
        QString name;
        std::uint32_t type;
        QByteArray bytes;
    };
    QList<Entry> registry;
    QStringList files;
    QList<std::pair<QString, QString>> path;   // programs on the search path: name, file
    QStringList pathNotStartable;              // found on the search path, but cannot be started
};

} // namespace

Q_DECLARE_METATYPE(Scene)

class AboutSysInfoTest final : public QObject {
    Q_OBJECT

private:
    void prepare(const Scene &scene, FakeRegistry &registry, FakeLauncher &launcher)
    {
        for (const Scene::Entry &entry : scene.registry)
            entry.name.isEmpty() ? registry.addKey(entry.key)
                                 : registry.set(entry.key, entry.name, entry.type, entry.bytes);
        for (const QString &file : scene.files)
            launcher.addFile(file);
        for (const auto &[name, file] : scene.path)
            launcher.addToPath(name, file);
        for (const QString &name : scene.pathNotStartable)
            launcher.addToPath(name, QStringLiteral("/gone/") + name, false);
    }

private slots:
    void startSysInfo_data()
    {
        QTest::addColumn<Scene>("scene");
        QTest::addColumn<QString>("started");          // empty: nothing starts and the message shows
        QTest::addColumn<QStringList>("attempts");     // every program the routine tried to start

        const QString tool = QStringLiteral("C:\\Tools\\MSINFO\\msinfo32.exe");
        const QString folder = QStringLiteral("C:\\Programme\\Gemeinsame Dateien\\MSInfo");
        const QString folderTool = folder + QStringLiteral("\\MSINFO32.EXE");
        const Scene::Entry first{infoKey, QStringLiteral("PATH"), Registry::typeString, zeroEnded(qPrintable(tool))};
        const Scene::Entry second{locationKey, QStringLiteral("MSINFO"), Registry::typeString,
                                  zeroEnded(qPrintable(folder))};

        QTest::newRow("neither key") << Scene{} << QString() << QStringList();
        QTest::newRow("first key names a missing file") << Scene{{first}, {}, {}, {}} << QString() << QStringList{tool};
        QTest::newRow("first key names an existing file") << Scene{{first}, {tool}, {}, {}} << tool << QStringList{tool};
        QTest::newRow("both keys: the first wins")
            << Scene{{first, second}, {tool, folderTool}, {}, {}} << tool << QStringList{tool};
        QTest::newRow("only the second key, tool in its folder")
            << Scene{{second}, {folderTool}, {}, {}} << folderTool << QStringList{folderTool};
        QTest::newRow("only the second key, folder without the tool")
            << Scene{{second}, {folder + QStringLiteral("\\andere.exe")}, {}, {}} << QString() << QStringList();
        QTest::newRow("first key without its value, second key with the tool")
            << Scene{{{infoKey, {}, 0, {}}, second}, {folderTool}, {}, {}} << folderTool << QStringList{folderTool};
        QTest::newRow("first value of no bytes: error path, second key not asked")
            << Scene{{{infoKey, QStringLiteral("PATH"), Registry::typeString, {}}, second}, {folderTool}, {}, {}}
            << QString() << QStringList();
        QTest::newRow("first value of another type: taken as found, but empty")
            << Scene{{{infoKey, QStringLiteral("PATH"), typeBinary, QByteArray("abc")}, second}, {folderTool}, {}, {}}
            << QString() << QStringList();
        QTest::newRow("second value of no bytes: error path")
            << Scene{{{locationKey, QStringLiteral("MSINFO"), Registry::typeString, {}}}, {folderTool}, {}, {}}
            << QString() << QStringList();
#ifndef _WIN32
        const QString hardinfo = QStringLiteral("/usr/bin/hardinfo");
        const QString kinfocenter = QStringLiteral("/usr/bin/kinfocenter");
        const QString monitor = QStringLiteral("/usr/bin/gnome-system-monitor");
        QTest::newRow("search path: all three, the first of the list wins")
            << Scene{{}, {}, {{"gnome-system-monitor", monitor}, {"kinfocenter", kinfocenter}, {"hardinfo", hardinfo}}, {}}
            << hardinfo << QStringList{hardinfo};
        QTest::newRow("search path: second and third")
            << Scene{{}, {}, {{"gnome-system-monitor", monitor}, {"kinfocenter", kinfocenter}}, {}}
            << kinfocenter << QStringList{kinfocenter};
        QTest::newRow("search path: only the third")
            << Scene{{}, {}, {{"gnome-system-monitor", monitor}}, {}} << monitor << QStringList{monitor};
        QTest::newRow("search path: other programs are not taken")
            << Scene{{}, {}, {{"top", QStringLiteral("/usr/bin/top")}}, {}} << QString() << QStringList();
        QTest::newRow("search path: the first found fails to start")
            << Scene{{}, {}, {{"kinfocenter", kinfocenter}}, {"hardinfo"}} << QString()
            << QStringList{QStringLiteral("/gone/hardinfo")};
        QTest::newRow("search path after the second key's folder lacks the tool")
            << Scene{{second}, {}, {{"kinfocenter", kinfocenter}}, {}} << kinfocenter << QStringList{kinfocenter};
        QTest::newRow("search path not asked when the first key names a file")
            << Scene{{first}, {}, {{"hardinfo", hardinfo}}, {}} << QString() << QStringList{tool};
#endif
    }

    void startSysInfo()
    {
        QFETCH(Scene, scene);
        QFETCH(QString, started);
        QFETCH(QStringList, attempts);
        FakeDialogs dialogs;
        FakeRegistry registry;
        FakeLauncher launcher;
        prepare(scene, registry, launcher);
        frmAbout about(dialogs, registry, launcher);

        about.StartSysInfo();

        QCOMPARE(launcher.startAttempts, attempts);
        QCOMPARE(launcher.started, started.isEmpty() ? QStringList() : QStringList{started});
        if (started.isEmpty()) {
            QCOMPARE(dialogs.shown.size(), 1);
            QCOMPARE(dialogs.shown[0].kind, FakeDialogs::Shown::Kind::Message);
            QCOMPARE(dialogs.shown[0].text, notAvailable);
            QCOMPARE(dialogs.shown[0].icon, Dialogs::Icon::None);
            QCOMPARE(dialogs.shown[0].title, Dialogs::applicationTitle);
        } else {
            QVERIFY(dialogs.shown.isEmpty());
        }
        QVERIFY2(registry.openKeys.isEmpty(), "every opened key is closed again");
        for (const FakeRegistry::OpenRequest &request : registry.opens) {
            QCOMPARE(request.root, Registry::localMachine);
            QCOMPARE(request.access, Registry::readAccess);
        }
    }

    // The path named by the first key is started without an existence test.
    void firstKeyPathIsNotTestedForExistence()
    {
        FakeDialogs dialogs;
        FakeRegistry registry;
        FakeLauncher launcher;
        registry.set(infoKey, QStringLiteral("PATH"), Registry::typeString, zeroEnded("C:\\x.exe"));
        frmAbout about(dialogs, registry, launcher);
        about.StartSysInfo();
        QVERIFY(launcher.existenceTests.isEmpty());
        QCOMPARE(launcher.startAttempts, QStringList{QStringLiteral("C:\\x.exe")});
    }

    // The two keys are asked for in their order, each for its value.
    void keysAskedInOrder()
    {
        FakeDialogs dialogs;
        FakeRegistry registry;
        FakeLauncher launcher;
        registry.addKey(infoKey);
        registry.addKey(locationKey);
        frmAbout about(dialogs, registry, launcher);
        about.StartSysInfo();
        QCOMPARE(registry.opens.size(), 2);
        QCOMPARE(registry.opens[0].subKey, infoKey);
        QCOMPARE(registry.opens[1].subKey, locationKey);
        QCOMPARE(registry.bufferSizes, (QList<std::uint32_t>{1024, 1024}));
        QCOMPARE(dialogs.texts(), QStringList{notAvailable});
    }

    void getKeyValue_data()
    {
        QTest::addColumn<std::uint32_t>("type");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<bool>("read");
        QTest::addColumn<QString>("keyVal");     // KeyVal holds "vorher" before the call

        QTest::newRow("string: its terminating zero dropped")
            << Registry::typeString << zeroEnded("C:\\Programme\\msinfo32.exe") << true << "C:\\Programme\\msinfo32.exe";
        QTest::newRow("string stored without a zero") << Registry::typeString << QByteArray("abc") << true << "abc";
        QTest::newRow("string: only one zero dropped")
            << Registry::typeString << QByteArray("abc\0\0", 5) << true << QStringLiteral("abc") + QChar(0);
        QTest::newRow("string of only its zero") << Registry::typeString << QByteArray(1, '\0') << true << "";
        QTest::newRow("string filling the buffer")
            << Registry::typeString << QByteArray(1023, 'x') + '\0' << true << QString(1023, u'x');
        QTest::newRow("string one byte too long for the buffer")
            << Registry::typeString << QByteArray(1024, 'x') + '\0' << false << "";
        QTest::newRow("number 261") << Registry::typeNumber << QByteArray::fromHex("05010000") << true << "261";
        QTest::newRow("number with all four bytes")
            << Registry::typeNumber << QByteArray::fromHex("78563412") << true << "305419896";
        QTest::newRow("number 65536") << Registry::typeNumber << QByteArray::fromHex("00000100") << true << "65536";
        QTest::newRow("number 0") << Registry::typeNumber << QByteArray::fromHex("00000000") << true << "0";
        QTest::newRow("number with its top bit") << Registry::typeNumber << QByteArray::fromHex("ffffffff") << true << "-1";
        QTest::newRow("number of one zero byte: no digits")
            << Registry::typeNumber << QByteArray::fromHex("00") << true << "&h";
        QTest::newRow("expandable string: unchanged")
            << typeExpandString << zeroEnded("%windir%\\x.exe") << true << "vorher";
        QTest::newRow("binary: unchanged") << typeBinary << QByteArray::fromHex("0102") << true << "vorher";
    }

    void getKeyValue()
    {
        QFETCH(std::uint32_t, type);
        QFETCH(QByteArray, stored);
        QFETCH(bool, read);
        QFETCH(QString, keyVal);
        FakeDialogs dialogs;
        FakeRegistry registry;
        FakeLauncher launcher;
        registry.set(QStringLiteral("SOFTWARE\\Brummo"), QStringLiteral("Wert"), type, stored);
        frmAbout about(dialogs, registry, launcher);

        QString value = QStringLiteral("vorher");
        QCOMPARE(about.GetKeyValue(Registry::localMachine, QStringLiteral("SOFTWARE\\Brummo"), QStringLiteral("Wert"), value),
                 read);
        QCOMPARE(value, keyVal);
        QCOMPARE(registry.opens.size(), 1);
        QCOMPARE(registry.opens[0].access, Registry::readAccess);
        QCOMPARE(registry.closes.size(), 1);
        QVERIFY(registry.openKeys.isEmpty());
        QVERIFY(dialogs.shown.isEmpty());
    }

    void getKeyValueFailure_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("keyOpened");
        QTest::newRow("missing key") << "SOFTWARE\\Fehlt" << "Wert" << false;
        QTest::newRow("missing value") << "SOFTWARE\\Brummo" << "Fehlt" << true;
    }

    // The failure path empties KeyVal and closes the key handle, which is 0 when nothing opened.
    void getKeyValueFailure()
    {
        QFETCH(QString, key);
        QFETCH(QString, name);
        QFETCH(bool, keyOpened);
        FakeDialogs dialogs;
        FakeRegistry registry;
        FakeLauncher launcher;
        registry.set(QStringLiteral("SOFTWARE\\Brummo"), QStringLiteral("Wert"), Registry::typeString, zeroEnded("x"));
        frmAbout about(dialogs, registry, launcher);

        QString value = QStringLiteral("vorher");
        QVERIFY(!about.GetKeyValue(Registry::localMachine, key, name, value));
        QCOMPARE(value, QString());
        QCOMPARE(registry.closes.size(), 1);
        if (keyOpened)
            QVERIFY(registry.closes[0] != 0);
        else
            QCOMPARE(registry.closes[0], Registry::Handle(0));
        QVERIFY(registry.openKeys.isEmpty());
    }

    void getKeyValueRunTimeError_data()
    {
        QTest::addColumn<std::uint32_t>("type");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("string of no bytes") << Registry::typeString << QByteArray();
        QTest::newRow("number of no bytes") << Registry::typeNumber << QByteArray();
        QTest::newRow("other type of no bytes") << typeBinary << QByteArray();
        QTest::newRow("number too long for 32 bits") << Registry::typeNumber << QByteArray::fromHex("0102030405");
    }

    void getKeyValueRunTimeError()
    {
        QFETCH(std::uint32_t, type);
        QFETCH(QByteArray, stored);
        FakeDialogs dialogs;
        FakeRegistry registry;
        FakeLauncher launcher;
        registry.set(QStringLiteral("SOFTWARE\\Brummo"), QStringLiteral("Wert"), type, stored);
        frmAbout about(dialogs, registry, launcher);

        QString value = QStringLiteral("vorher");
        QVERIFY_THROWS_EXCEPTION(frmAbout::RunTimeError,
                                 about.GetKeyValue(Registry::localMachine, QStringLiteral("SOFTWARE\\Brummo"),
                                                   QStringLiteral("Wert"), value));
        QCOMPARE(value, QStringLiteral("vorher"));
        QVERIFY2(registry.openKeys.isEmpty(), "the key is closed before the error leaves");
    }

    void noRegistryFindsNothing()
    {
        NoRegistry registry;
        FakeDialogs dialogs;
        FakeLauncher launcher;
        frmAbout about(dialogs, registry, launcher);
        QString value = QStringLiteral("vorher");
        QVERIFY(!about.GetKeyValue(Registry::localMachine, infoKey, QStringLiteral("PATH"), value));
        QCOMPARE(value, QString());
    }
};

QTEST_MAIN(AboutSysInfoTest)
#include "tst_aboutsysinfo.moc"
