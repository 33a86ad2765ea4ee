#pragma once

#include "about/programlauncher.h"

#include <QMap>
#include <QSet>
#include <QStringList>

// Files and a search path in memory; a program starts only if it is an existing file.
class FakeLauncher final : public ProgramLauncher {
public:
    void addFile(const QString &path) { files.insert(path); }
    // A program on the search path; startable says whether its file is really there.
    void addToPath(const QString &name, const QString &path, bool startable = true)
    {
        onPath.insert(name, path);
        if (startable)
            files.insert(path);
    }

    bool fileExists(const QString &path) const override
    {
        existenceTests.append(path);
        return files.contains(path);
    }
    bool start(const QString &program) override
    {
        startAttempts.append(program);
        if (!files.contains(program))
            return false;
        started.append(program);
        return true;
    }
    QString findOnPath(const QString &name) const override
    {
        searched.append(name);
        return onPath.value(name);
    }

    QSet<QString> files;
    QMap<QString, QString> onPath;
    mutable QStringList existenceTests;
    mutable QStringList searched;
    QStringList startAttempts;
    QStringList started;
};
