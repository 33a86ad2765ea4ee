#pragma once

#include <QString>

// Finding and starting other programs, so that tests can stand in for the file system and processes.
class ProgramLauncher {
public:
    virtual ~ProgramLauncher() = default;

    // True when path names an existing file (a folder does not count).
    virtual bool fileExists(const QString &path) const = 0;

    // Starts program as a process of its own, through no shell, without waiting for it.
    // False when it could not be started.
    virtual bool start(const QString &program) = 0;

    // The full path of the executable name in the absolute folders of the search path, or empty.
    virtual QString findOnPath(const QString &name) const = 0;
};

class SystemLauncher final : public ProgramLauncher {
public:
    bool fileExists(const QString &path) const override;
    bool start(const QString &program) override;
    QString findOnPath(const QString &name) const override;
};
