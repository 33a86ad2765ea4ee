#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Where the program lives and where it was started.
class Folders {
public:
    virtual ~Folders() = default;
    virtual QString programFolder() const = 0;
    // The working folder as the player reads its name ...
    virtual QString workingFolder() const = 0;
    // ... and as the system names it. Only these bytes lead to a folder whose name is not UTF-8;
    // any other name Qt reads gives them back unchanged.
    virtual QByteArray localWorkingFolder() const { return QFile::encodeName(workingFolder()); }
};

// The folder of the running program as a name every file call opens, its module loader included.
// Qt names files in UTF-8; a folder whose name is not (Latin-1 "Müll" from an older system) has no
// such name, so it is held open for the object's life and named through its descriptor
// (/proc/self/fd/N), plain ASCII that leads to the same folder.
class SystemFolders final : public Folders {
public:
    SystemFolders();
    ~SystemFolders() override;
    SystemFolders(const SystemFolders &) = delete;
    SystemFolders &operator=(const SystemFolders &) = delete;

    QString programFolder() const override { return program; }
    QString workingFolder() const override { return working; }
    QByteArray localWorkingFolder() const override { return localWorking; }

private:
    int heldFolder = -1;
    QString program;
    // Taken at the start, as the game never changes it: should the folder be deleted while the game
    // runs, the system no longer names it, and a failed save could not say which folder is gone.
    QByteArray localWorking;
    QString working;
};
