#include "about/regformat.h"
#include "about/registrylookup.h"
#include "tests/about/fakes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>

namespace {

const QString infoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString locationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString notAvailable = QStringLiteral("Systeminformationen sind momentan nicht verfügbar");

constexpr std::uint32_t text = 1;     // REG_SZ
constexpr std::uint32_t number = 4;   // REG_DWORD
constexpr std::uint32_t binary = 3;   // REG_BINARY

QByteArray zeroEnded(const QString &text)
{
    return text.toLocal8Bit() + '\0';
}

// What the registry and the file system hold in one case.
struct Scene {
    struct Value {
        QString key;
        QString name;
        std::uint32_t type;
        QByteArray bytes;
    };
    QList<Value> values;
    QStringList files;
    QStringList onPath;   // programs found on the search path, in /usr/bin
};

enum Outcome { Read, NotRead, Throws };

} // namespace

Q_DECLARE_METATYPE(Scene)

class AboutSysInfoTest final : public QObject {
    Q_OBJECT

private slots:
    void startSysInfo_data()
    {
        QTest::addColumn<Scene>("scene");
        QTest::addColumn<QString>("attempt");   // what the routine tried to start; empty: nothing
        QTest::addColumn<bool>("starts");        // false: the message shows instead
        const auto row = [](const char *tag, const Scene &scene, const QString &attempt, bool starts) {
            QTest::newRow(tag) << scene << attempt << starts;
        };
        const QString tool = QStringLiteral("C:\\Tools\\msinfo32.exe");
        const QString folder = QStringLiteral("C:\\Programme\\MSInfo");
        const QString folderTool = folder + QStringLiteral("\\MSINFO32.EXE");
        const Scene::Value first{infoKey, QStringLiteral("PATH"), text, zeroEnded(tool)};
        const Scene::Value second{locationKey, QStringLiteral("MSINFO"), text, zeroEnded(folder)};
        const Scene::Value firstOfNoBytes{infoKey, QStringLiteral("PATH"), text, {}};
        const Scene::Value secondOfNoBytes{locationKey, QStringLiteral("MSINFO"), text, {}};

        row("neither key", {}, {}, false);
        row("first key names a missing file", {{first}, {}, {}}, tool, false);
        row("both keys: the first wins", {{first, second}, {tool, folderTool}, {}}, tool, true);
        row("only the second key, tool in its folder", {{second}, {folderTool}, {}}, folderTool, true);
        row("only the second key, no tool in its folder", {{second}, {}, {}}, {}, false);
        row("first value of no bytes", {{firstOfNoBytes, second}, {folderTool}, {}}, {}, false);
        row("second value of no bytes", {{secondOfNoBytes}, {folderTool}, {}}, {}, false);
#ifndef _WIN32
        const QString kinfocenter = QStringLiteral("/usr/bin/kinfocenter");
        row("search path: the first of the list wins", {{}, {}, {"gnome-system-monitor", "kinfocenter", "hardinfo"}},
            "/usr/bin/hardinfo", true);
        row("search path: then the second", {{}, {}, {"gnome-system-monitor", "kinfocenter"}}, kinfocenter, true);
        row("search path: then the third", {{}, {}, {"gnome-system-monitor"}}, "/usr/bin/gnome-system-monitor", true);
        row("search path after the second key's folder lacks the tool", {{second}, {}, {"kinfocenter"}}, kinfocenter,
            true);
        row("search path not asked when the first key names a file", {{first}, {}, {"hardinfo"}}, tool, false);
#endif
    }

    void startSysInfo()
    {
        QFETCH(Scene, scene);
        QFETCH(QString, attempt);
        QFETCH(bool, starts);
        AboutFixture f;
        for (const Scene::Value &value : scene.values)
            f.registry.set(value.key, value.name, value.type, value.bytes);
        f.launcher.files = QSet<QString>(scene.files.begin(), scene.files.end());
        for (const QString &name : scene.onPath) {
            f.launcher.onPath.insert(name, QStringLiteral("/usr/bin/") + name);
            f.launcher.files.insert(QStringLiteral("/usr/bin/") + name);
        }

        f.about.StartSysInfo();

        QCOMPARE(f.launcher.startAttempts, attempt.isEmpty() ? QStringList() : QStringList{attempt});
        QCOMPARE(f.dialogs.texts(), starts ? QStringList() : QStringList{notAvailable});
        if (!starts)
            QCOMPARE(f.dialogs.shown[0].icon, Dialogs::Icon::None);
        QVERIFY2(f.registry.open.isEmpty(), "every opened key is closed again");
    }

    void getKeyValue_data()
    {
        QTest::addColumn<std::uint32_t>("type");   // of the value SOFTWARE\Brummo, Wert
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("asked");         // key|name
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QByteArray>("keyVal");     // KeyVal holds "vorher" before the call
        const auto row = [](const char *tag, std::uint32_t type, const QByteArray &stored, Outcome outcome,
                            const QByteArray &keyVal, const char *asked = "SOFTWARE\\Brummo|Wert") {
            QTest::newRow(tag) << type << stored << QString::fromLatin1(asked) << int(outcome) << keyVal;
        };
        row("string: its terminating zero dropped", text, zeroEnded(QStringLiteral("C:\\x.exe")), Read, "C:\\x.exe");
        row("string stored without a zero", text, "abc", Read, "abc");
        row("string: only one zero dropped", text, QByteArray("abc\0\0", 5), Read, QByteArray("abc\0", 4));
        row("string filling the buffer", text, QByteArray(1023, 'x') + '\0', Read, QByteArray(1023, 'x'));
        row("string one byte too long for the buffer", text, QByteArray(1024, 'x') + '\0', NotRead, "");
        row("number 261", number, QByteArray::fromHex("05010000"), Read, "261");
        row("number too long for 32 bits", number, QByteArray::fromHex("0102030405"), Throws, "vorher");
        row("other type: KeyVal unchanged", binary, QByteArray::fromHex("0102"), Read, "vorher");
        row("value of no bytes", text, QByteArray(), Throws, "vorher");
        row("missing value", text, "x", NotRead, "", "SOFTWARE\\Brummo|Fehlt");
        row("missing key", text, "x", NotRead, "", "SOFTWARE\\Fehlt|Wert");
    }

    void getKeyValue()
    {
        QFETCH(std::uint32_t, type);
        QFETCH(QByteArray, stored);
        QFETCH(QString, asked);
        QFETCH(int, outcome);
        QFETCH(QByteArray, keyVal);
        FakeRegistry registry;
        registry.set(QStringLiteral("SOFTWARE\\Brummo"), QStringLiteral("Wert"), type, stored);
        const std::string key = asked.section(u'|', 0, 0).toStdString();
        const std::string name = asked.section(u'|', 1).toStdString();

        std::string value = "vorher";
        if (outcome == Throws)
            QVERIFY_THROWS_EXCEPTION(RunTimeError, GetKeyValue(registry, FakeRegistry::hklm, key, name, value));
        else
            QCOMPARE(GetKeyValue(registry, FakeRegistry::hklm, key, name, value), outcome == Read);
        QCOMPARE(QByteArray::fromStdString(value), keyVal);
        QCOMPARE(registry.accessRequested, QList<std::uint32_t>{FakeRegistry::keyRead});
        // Only a key that was opened is closed; when none was, the close call gets 0.
        const bool keyThere = !key.ends_with("Fehlt");
        QCOMPARE(registry.closes, QList<Registry::Handle>{keyThere ? FakeRegistry::firstHandle : 0});
    }

    // A number value's text, from its bytes through the literal to the digits.
    void numberText_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("literal");
        QTest::addColumn<QString>("text");   // "none": too large to be a number
        const auto row = [](const char *tag, const char *hex, const char *literal, const char *text) {
            QTest::newRow(tag) << QByteArray::fromHex(hex) << QString::fromLatin1(literal) << QString::fromLatin1(text);
        };
        row("last byte first, upper-case digits", "0fa0", "&hA00F", "-24561");
        row("one byte keeps its leading zero", "07", "&h07", "7");
        row("four digits are 16 bits: sign bit", "0080", "&h8000", "-32768");
        row("six digits are 32 bits", "ffff00", "&h00FFFF", "65535");
        row("eight digits: all ones", "ffffffff", "&hFFFFFFFF", "-1");
        row("no bytes: no digits, no number", "", "&h", "&h");
        row("more than eight digits overflow", "0102030405", "&h0504030201", "none");
    }

    void numberText()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, literal);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(hexLiteral(bytes.toStdString())), literal);
        QCOMPARE(QString::fromStdString(formatHexLiteral(literal.toStdString()).value_or("none")), text);
    }

#ifndef _WIN32
    // The real launcher, on a search path the test makes, with stand-ins that leave a marker behind.
    // Each relative entry of the path also gets a hardinfo below the working folder, which is the
    // folder of saved games: none of those may start.
    void systemLauncher_data()
    {
        QTest::addColumn<QStringList>("installed");        // in the test's absolute folder
        QTest::addColumn<bool>("folderOnPath");            // that folder last on the path
        QTest::addColumn<QStringList>("relativeEntries");  // on the path before it
        QTest::addColumn<QString>("started");              // empty: the message
        QTest::newRow("empty search path") << QStringList() << true << QStringList() << QString();
        QTest::newRow("all three: hardinfo first") << QStringList{"gnome-system-monitor", "kinfocenter", "hardinfo"}
                                                   << true << QStringList() << "hardinfo";
        for (const char *entry : {".", "./", "bin", "~/bin", "node_modules/.bin", ""})
            QTest::addRow("relative entry \"%s\" passed over", entry)
                << QStringList{"kinfocenter"} << true << QStringList{QString::fromLatin1(entry)} << "kinfocenter";
        QTest::newRow("only relative entries") << QStringList() << false << QStringList{".", "bin"} << QString();
    }

    void systemLauncher()
    {
        QFETCH(QStringList, installed);
        QFETCH(bool, folderOnPath);
        QFETCH(QStringList, relativeEntries);
        QFETCH(QString, started);
        QTemporaryDir folder;
        QTemporaryDir workingFolder;
        QVERIFY(folder.isValid() && workingFolder.isValid());
        const QString savedWorkingFolder = QDir::currentPath();
        const auto restoreWorkingFolder = qScopeGuard([&] { QDir::setCurrent(savedWorkingFolder); });
        QVERIFY(QDir::setCurrent(workingFolder.path()));
        const QByteArray savedPath = qgetenv("PATH");
        const auto restorePath = qScopeGuard([&] { qputenv("PATH", savedPath); });
        QStringList path = relativeEntries;
        if (folderOnPath)
            path.append(folder.path());
        qputenv("PATH", QFile::encodeName(path.join(u':')));
        const auto marker = [&](const QString &program) { return folder.filePath(program + QStringLiteral(".lief")); };
        const auto install = [&](const QString &path, const QString &program) {
            QVERIFY(QDir().mkpath(QFileInfo(path).path()));
            QFile script(path);
            QVERIFY(script.open(QIODevice::WriteOnly));
            script.write("#!/bin/sh\n: > '" + QFile::encodeName(marker(program)) + "'\n");
            script.close();
            QVERIFY(script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
        };
        for (const QString &program : installed)
            install(folder.filePath(program), program);
        for (const QString &entry : relativeEntries)
            install(QDir::cleanPath(workingFolder.path() + u'/' + entry + QStringLiteral("/hardinfo")),
                    QStringLiteral("saves-hardinfo"));
        FakeDialogs dialogs;
        NoRegistry registry;
        SystemLauncher launcher;
        frmAbout about(dialogs, registry, launcher);

        about.StartSysInfo();

        QCOMPARE(dialogs.texts(), started.isEmpty() ? QStringList{notAvailable} : QStringList());
        if (!started.isEmpty())
            QTRY_VERIFY(QFile::exists(marker(started)));
        for (const QString &program : installed + QStringList{QStringLiteral("saves-hardinfo")})
            if (program != started)
                QVERIFY2(!QFile::exists(marker(program)), qPrintable(program));
    }
#endif
};

QTEST_MAIN(AboutSysInfoTest)
#include "test_sysinfo.moc"
