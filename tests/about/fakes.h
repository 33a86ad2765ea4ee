#pragma once

#include "about/frmabout.h"
#include "about/programlauncher.h"
#include "about/registry.h"
#include "tests/support/fakedialogs.h"

#include <QHash>
#include <QMap>
#include <QSet>
#include <QStringList>
#include <QTest>

#include <algorithm>

// Keys below HKEY_LOCAL_MACHINE as an ordinary user sees them: readable, but refused to anyone who
// asks for more than read access. Names compare without case, as on Windows.
class FakeRegistry final : public Registry {
public:
    static constexpr Handle firstHandle = 100;
    // HKEY_LOCAL_MACHINE and KEY_READ as Windows documents them, so that a wrong constant in the game shows.
    static constexpr Root hklm = 0x80000002;
    static constexpr std::uint32_t keyRead = 0x20019;

    void set(const QString &key, const QString &name, std::uint32_t type, const QByteArray &bytes)
    {
        keys[key.toLower()][name.toLower()] = {type, bytes};
    }

    long openKey(Root root, const std::string &subKey, std::uint32_t access, Handle &key) override
    {
        accessRequested.append(access);
        // Windows promises nothing about the handle of a failed open; the caller must not use it.
        key = 0xDEAD;
        const QString name = QString::fromLocal8Bit(subKey).toLower();
        if (root != hklm || !keys.contains(name))
            return fileNotFound;
        if (access & ~keyRead)
            return accessDenied;
        key = nextHandle++;
        open.insert(key, name);
        return success;
    }

    long queryValue(Handle key, const std::string &valueName, std::uint32_t &type, std::span<char> buffer,
                    std::uint32_t &size) override
    {
        if (!open.contains(key))
            return invalidHandle;
        const QMap<QString, Value> values = keys.value(open.value(key));
        const QString name = QString::fromLocal8Bit(valueName).toLower();
        if (!values.contains(name))
            return fileNotFound;
        const Value value = values.value(name);
        const bool fits = value.bytes.size() <= qsizetype(std::min<std::size_t>(size, buffer.size()));
        size = value.bytes.size();
        if (!fits)
            return moreData;
        std::copy(value.bytes.begin(), value.bytes.end(), buffer.begin());
        type = value.type;
        return success;
    }

    long closeKey(Handle key) override
    {
        closes.append(key);
        return open.remove(key) ? success : invalidHandle;
    }

    QList<std::uint32_t> accessRequested;
    QList<Handle> closes;
    QHash<Handle, QString> open;   // opened and not yet closed

private:
    struct Value {
        std::uint32_t type;
        QByteArray bytes;   // as stored: their number is the value's size
    };
    QMap<QString, QMap<QString, Value>> keys;
    Handle nextHandle = firstHandle;
};

// Files and a search path in memory; a program starts only if it is an existing file.
class FakeLauncher final : public ProgramLauncher {
public:
    bool fileExists(const QString &path) const override { return files.contains(path); }
    bool start(const QString &program) override
    {
        startAttempts.append(program);
        return files.contains(program);
    }
    QString findOnPath(const QString &name) const override { return onPath.value(name); }

    QSet<QString> files;
    QMap<QString, QString> onPath;   // name: full path
    QStringList startAttempts;
};

// One about window over the fakes; as made, StartSysInfo finds nothing.
struct AboutFixture {
    FakeDialogs dialogs;
    FakeRegistry registry;
    FakeLauncher launcher;
    frmAbout about{dialogs, registry, launcher};

    QWidget *control(const QString &name) const { return about.findChild<QWidget *>(name); }

    bool open()
    {
        about.show();
        about.activateWindow();
        return QTest::qWaitForWindowActive(&about);
    }
};
